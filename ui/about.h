#pragma once

#include <QDialog>

#include <functional>
#include <memory>

namespace Ui {
class frmAbout;
}

namespace ui {

class DialogService;
class SysInfoPlatform;

// The About box `frmAbout`: program, version, purpose, the utility, support and authors, and
// "&System Info...". Modeless and without a parent window, so that it outlives the main
// window and keeps the program running until it is closed too. It deletes itself on closing.
class AboutBox : public QDialog {
    Q_OBJECT

public:
    // `dialogs` must outlive the box.
    AboutBox(DialogService& dialogs, std::unique_ptr<SysInfoPlatform> platform);
    ~AboutBox() override;

    void cmdOK_Click();
    void cmdSysInfo_Click();
    // Starts the system-information tool, or tells the user it is unavailable.
    void StartSysInfo();

private:
    Ui::frmAbout* m_ui;
    DialogService& m_dialogs;
    std::unique_ptr<SysInfoPlatform> m_platform;
};

using SysInfoPlatformFactory = std::function<std::unique_ptr<SysInfoPlatform>()>;

// Shows the one About box of the program: the open box again when there is one, else a new
// box. `dialogs` must outlive the box.
AboutBox* showAboutBox(DialogService& dialogs, const SysInfoPlatformFactory& makePlatform = {});

} // namespace ui
