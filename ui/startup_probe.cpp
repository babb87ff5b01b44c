#include "ui/startup_probe.h"

#include <QCoreApplication>
#include <QEvent>
#include <QKeyEvent>
#include <QMainWindow>
#include <QTimer>
#include <QWidget>

namespace ui {

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

bool startupProbeRequested() {
    return qEnvironmentVariableIsSet("ZEB_STARTUP_PROBE");
}

void armStartupProbe(QWidget* splash) {
    QCoreApplication* app = QCoreApplication::instance();
    app->installEventFilter(new QuitOnMainWindowPaint(app));
    // A character key, delivered as the user's would be once the event loop runs.
    QCoreApplication::postEvent(splash, new QKeyEvent(QEvent::KeyPress, Qt::Key_Space,
                                                      Qt::NoModifier, QStringLiteral(" ")));
}

} // namespace ui
