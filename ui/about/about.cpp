#include "ui/about/about.h"

#include "look/fonts.h"
#include "ui/common/dialog_service.h"
#include "ui/common/resources.h"
#include "ui/about/sysinfo.h"
#include "ui_frmabout.h"

#include <QIcon>
#include <QLabel>
#include <QPointer>
#include <QPushButton>

namespace ui {

namespace {

const QString kUnavailable = QStringLiteral("System Information Is Unavailable At This Time");

} // namespace

AboutBox::AboutBox(DialogService& dialogs, SysInfoStarter startTool)
    : QDialog(nullptr, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                           Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint),
      m_ui(new Ui::frmAbout), m_dialogs(dialogs), m_startTool(std::move(startTool)) {
    initResources();
    m_ui->setupUi(this);
    setAttribute(Qt::WA_DeleteOnClose);
    setFont(look::controlFont());
    setFixedSize(size());

    m_ui->picIcon->setPixmap(windowIcon().pixmap(32, 32));
    for (QLabel* label :
         {m_ui->lblDisclaimer, m_ui->Label1, m_ui->Label2, m_ui->Label3, m_ui->Label4}) {
        label->adjustSize(); // sized to its text, from its top left corner
    }

    // OK is both the default button (Enter) and, through the dialog's own Esc, the cancel
    // button; both close the box.
    connect(m_ui->cmdOK, &QPushButton::clicked, this, &AboutBox::cmdOK_Click);
    connect(m_ui->cmdSysInfo, &QPushButton::clicked, this, &AboutBox::cmdSysInfo_Click);
}

AboutBox::~AboutBox() {
    delete m_ui;
}

void AboutBox::cmdOK_Click() {
    close();
}

void AboutBox::cmdSysInfo_Click() {
    StartSysInfo();
}

void AboutBox::StartSysInfo() {
    if (!m_startTool()) {
        // No icon; an empty title shows the program's title.
        m_dialogs.showMessage(this, kUnavailable, QString(), MessageIcon::None);
    }
}

AboutBox* showAboutBox(DialogService& dialogs, const SysInfoStarter& startTool) {
    static QPointer<AboutBox> box;
    // A box that has been closed is on its way out: open a fresh one.
    if (box == nullptr || !box->isVisible()) {
        box = new AboutBox(dialogs, startTool ? startTool : SysInfoStarter(startSysInfoTool));
    }
    box->show();
    box->raise();
    box->activateWindow();
    return box;
}

} // namespace ui
