#include "refdata/open_database.h"
#include "ui/dialog_service.h"
#include "ui/frmzeb.h"
#include "ui/number_style_source.h"
#include "ui/splash.h"
#include "ui/startup_probe.h"

#include <cstdlib>

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("ZEB"));
    QGuiApplication::setDesktopFileName(QStringLiteral("com.example.zeb"));

    ui::QtDialogService dialogs;
    int status = EXIT_SUCCESS;

    // The splash is the whole of the start: it shows the main window when it hands over.
    auto* splash = new ui::SplashWindow([&dialogs] {
        ui::MainWindowServices services;
        services.openDatabase = [] {
            return refdata::openProgramDatabase(
                QCoreApplication::applicationDirPath().toStdString());
        };
        services.dialogs = &dialogs;
        services.numberStyle = ui::systemNumberStyle();

        auto* window = new ui::frmZEB(std::move(services));
        window->setAttribute(Qt::WA_DeleteOnClose);
        if (!window->Form_Load()) {
            delete window;
            return false;
        }
        window->show();
        return true;
    });
    QObject::connect(splash, &ui::SplashWindow::mainWindowFailed, splash,
                     [&status] { status = EXIT_FAILURE; });
    splash->showCentred();
    if (ui::startupProbeRequested()) {
        ui::armStartupProbe(splash);
    }

    const int loopStatus = QApplication::exec();
    return status != EXIT_SUCCESS ? status : loopStatus;
}
