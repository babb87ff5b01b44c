// Shows the splash and then the About box, and saves a picture of the screen under each: run
// under Xvfb for docs/screenshots/splash.png and docs/screenshots/about.png.
// Usage: zeb_shell_screenshots OUTPUT_FOLDER

#include "ui/about.h"
#include "ui/dialog_service.h"
#include "ui/splash.h"

#include <cstdio>

#include <QApplication>
#include <QDir>
#include <QPointer>
#include <QScreen>
#include <QTest>

namespace {

bool saveScreenUnder(QWidget* window, const QString& path) {
    if (!QTest::qWaitForWindowExposed(window)) {
        return false;
    }
    QTest::qWait(300);
    const QPixmap screen = window->screen()->grabWindow(0);
    return screen.copy(window->frameGeometry()).save(path);
}

} // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: zeb_shell_screenshots OUTPUT_FOLDER\n");
        return 2;
    }
    const QDir out(QString::fromLocal8Bit(argv[1]));

    QPointer<ui::SplashWindow> splash = new ui::SplashWindow([] { return true; });
    splash->showCentred();
    if (!saveScreenUnder(splash, out.filePath(QStringLiteral("splash.png")))) {
        return 1;
    }
    delete splash;

    ui::QtDialogService dialogs;
    ui::AboutBox* about = ui::showAboutBox(dialogs);
    about->move(40, 40);
    if (!saveScreenUnder(about, out.filePath(QStringLiteral("about.png")))) {
        return 1;
    }
    delete about;
    return 0;
}
