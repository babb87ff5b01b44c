#pragma once

#include <QDialog>

#include <functional>

namespace Ui {
class frmAbout;
}

namespace ui {

class DialogService;

// Starts the system-information tool; false when it could not.
using SysInfoStarter = std::function<bool()>;

// The About box `frmAbout`: program, version, purpose, the utility, support and authors, and
// "&System Info...". Modeless and without a parent window, so that it outlives the main
// window and keeps the program running until it is closed too. It deletes itself on closing.
class AboutBox : public QDialog {
    Q_OBJECT

public:
    // `dialogs` must outlive the box.
    AboutBox(DialogService& dialogs, SysInfoStarter startTool);
    ~AboutBox() override;

    void cmdOK_Click();
    void cmdSysInfo_Click();
    // Starts the system-information tool, or tells the user it is unavailable.
    void StartSysInfo();

private:
    Ui::frmAbout* m_ui;
    DialogService& m_dialogs;
    SysInfoStarter m_startTool;
};

// Shows the one About box of the program: the open box again when there is one, else a new
// box. `dialogs` must outlive the box. The tool is the system's one unless another is given.
AboutBox* showAboutBox(DialogService& dialogs, const SysInfoStarter& startTool = {});

} // namespace ui
