// zeb-startup-probe: the program exactly as zeb starts it, for timing and checking the start.
// The splash is handed over at once by a key press, and the probe quits as soon as a main
// window has painted itself: exit status 0 means the main window loaded and was shown. Not
// installed; the start-up benchmark and the install test run it.

#include "ui/shell/program.h"
#include "ui/shell/splash.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMainWindow>
#include <QTimer>

namespace {

// Quits once, at the first paint of a main window.
class QuitOnMainWindowPaint final : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && watched->isWidgetType() &&
            qobject_cast<QMainWindow*>(static_cast<QWidget*>(watched)->window()) != nullptr) {
            QCoreApplication::instance()->removeEventFilter(this);
            QTimer::singleShot(0, QCoreApplication::instance(), &QCoreApplication::quit);
        }
        return false;
    }
};

} // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    return ui::runProgram([&app](ui::SplashWindow* splash) {
        app.installEventFilter(new QuitOnMainWindowPaint(&app));
        // A character key, delivered as the user's would be once the event loop runs.
        QCoreApplication::postEvent(splash, new QKeyEvent(QEvent::KeyPress, Qt::Key_Space,
                                                          Qt::NoModifier, QStringLiteral(" ")));
    });
}
