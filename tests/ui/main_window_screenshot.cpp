// Shows the main window over the shipped database with the worked example computed, and
// saves a picture of the screen: run under Xvfb for docs/screenshots/main-window.png.
// Usage: zeb_main_window_screenshot PROGRAM_DIR OUTPUT.png

#include "refdata/open_database.h"
#include "ui/dialog_service.h"
#include "ui/frmzeb.h"
#include "ui/number_style_source.h"

#include <cstdio>

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTest>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: zeb_main_window_screenshot PROGRAM_DIR OUTPUT.png\n");
        return 2;
    }
    ui::QtDialogService dialogs;
    ui::MainWindowServices services;
    services.openDatabase = [programDir = std::string(argv[1])] {
        return refdata::openProgramDatabase(programDir);
    };
    services.dialogs = &dialogs;
    services.numberStyle = ui::numberStyleOf(QLocale(QLocale::English, QLocale::UnitedStates));
    ui::frmZEB window(std::move(services));
    if (!window.Form_Load()) {
        return 1;
    }
    window.move(0, 0);
    window.show();
    if (!QTest::qWaitForWindowExposed(&window)) {
        return 1;
    }

    const auto text = [&](const char* name, const char* value) {
        auto* field = window.findChild<QLineEdit*>(QString::fromLatin1(name));
        field->setText(QString::fromUtf8(value));
    };
    const auto pick = [&](const char* name, int index) {
        window.findChild<QComboBox*>(QString::fromLatin1(name))->setCurrentIndex(index);
    };
    text("txtRio", "Rio do Exemplo");
    pick("cboPosto", 0);
    pick("cboZona", 0);
    pick("cboTerreno", 1);
    text("txtCN", "75");
    text("txtArea", "50.00");
    text("txtDesnivel", "100.00");
    text("txtComprimento", "10.00");
    pick("cboDuracao", 3);
    text("txtRecorrencia", "100");
    window.findChild<QPushButton*>(QStringLiteral("cmdCalcular"))->click();
    QTest::qWait(300);

    const QPixmap screen = window.screen()->grabWindow(0);
    const QRect frame = window.frameGeometry();
    if (!screen.copy(frame).save(QString::fromLocal8Bit(argv[2]))) {
        return 1;
    }
    return 0;
}
