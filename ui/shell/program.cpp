#include "ui/shell/program.h"

#include "refdata/open_database.h"
#include "refdata/user_stations.h"
#include "ui/common/dialog_service.h"
#include "ui/common/file_export.h"
#include "ui/common/number_style_source.h"
#include "ui/main/frmzeb.h"
#include "ui/shell/splash.h"

#include <cstdlib>

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTimer>
#include <QTranslator>

namespace ui {

bool installQtTranslations(const QLocale& locale, const QString& folder) {
    auto* translator = new QTranslator(QCoreApplication::instance());
    for (const QLocale& language : {locale, QLocale(QLocale::Portuguese, QLocale::Brazil)}) {
        if (translator->load(language, QStringLiteral("qtbase"), QStringLiteral("_"), folder)) {
            return QCoreApplication::installTranslator(translator);
        }
    }
    delete translator;
    return false;
}

namespace {

// The main window over the program's database, shown, with the study named on the command
// line opening once the splash has gone; false when it could not start.
bool showMainWindow(QtDialogService& dialogs, const QString& studyPath) {
    MainWindowServices services;
    services.openDatabase = [] {
        return refdata::openProgramDatabase(localPath(QCoreApplication::applicationDirPath()),
                                            refdata::userDatabasePath());
    };
    services.dialogs = &dialogs;
    services.numberStyle = systemNumberStyle();

    auto* window = new frmZEB(std::move(services));
    window->setAttribute(Qt::WA_DeleteOnClose);
    if (!window->Form_Load()) {
        delete window;
        return false;
    }
    window->show();
    // Once the splash has gone: opening may ask or tell the user something.
    if (!studyPath.isEmpty()) {
        QTimer::singleShot(0, window, [window, studyPath] { window->openStudy(studyPath); });
    }
    return true;
}

} // namespace

int runProgram(const std::function<void(SplashWindow*)>& onSplashShown, const QString& studyPath) {
    QApplication::setApplicationName(kProgramTitle);
    QGuiApplication::setDesktopFileName(QStringLiteral("com.example.zeb"));
    installQtTranslations(QLocale::system(), QLibraryInfo::path(QLibraryInfo::TranslationsPath));

    QtDialogService dialogs;
    int status = EXIT_SUCCESS;

    // The splash is the whole of the start: it shows the main window when it hands over.
    auto* splash =
        new SplashWindow([&dialogs, studyPath] { return showMainWindow(dialogs, studyPath); });
    QObject::connect(splash, &SplashWindow::mainWindowFailed, splash,
                     [&status] { status = EXIT_FAILURE; });
    splash->showCentred();
    if (onSplashShown) {
        onSplashShown(splash);
    }

    const int loopStatus = QApplication::exec();
    return status != EXIT_SUCCESS ? status : loopStatus;
}

} // namespace ui
