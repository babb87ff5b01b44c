#include "ui/shell/splash.h"

#include "look/fonts.h"
#include "ui/common/resources.h"
#include "ui_frmsplash.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScreen>
#include <QTimer>

namespace ui {

namespace {

// Sizes the label to its text in the splash face, keeping the edge the text is aligned to.
void setSplashFont(QLabel* label, qreal points) {
    label->setFont(look::splashFont(points));
    const int right = label->geometry().right();
    label->adjustSize();
    if (label->alignment().testFlag(Qt::AlignRight)) {
        label->move(right + 1 - label->width(), label->y());
    }
}

} // namespace

SplashWindow::SplashWindow(ShowMainWindow showMainWindow)
    : QFrame(nullptr, Qt::SplashScreen | Qt::FramelessWindowHint), m_ui(new Ui::frmSplash),
      m_tmrTimer(new QTimer(this)), m_showMainWindow(std::move(showMainWindow)) {
    initResources();
    m_ui->setupUi(this);
    setAttribute(Qt::WA_DeleteOnClose);
    setFixedSize(size());

    setSplashFont(m_ui->lblProductName, 32.25);
    setSplashFont(m_ui->lblPlatform, 15.75);
    setSplashFont(m_ui->lblVersion, 12);

    // The picture and the texts take their own clicks: only the frame's free area ends the
    // splash (a label would otherwise pass an unused click on to its frame).
    for (QWidget* w :
         {static_cast<QWidget*>(m_ui->Picture1), static_cast<QWidget*>(m_ui->lblProductName),
          static_cast<QWidget*>(m_ui->lblPlatform), static_cast<QWidget*>(m_ui->lblVersion)}) {
        w->installEventFilter(this);
    }
    m_ui->Frame1->installEventFilter(this);
    setFocusPolicy(Qt::StrongFocus);

    m_tmrTimer->setObjectName(QStringLiteral("tmrTimer"));
    m_tmrTimer->setSingleShot(true);
    connect(m_tmrTimer, &QTimer::timeout, this, &SplashWindow::tmrTimer_Timer);
    m_tmrTimer->start(kHandOverDelayMs);
}

SplashWindow::~SplashWindow() {
    delete m_ui;
}

void SplashWindow::showCentred() {
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        move(screen->availableGeometry().center() - rect().center());
    }
    show();
    raise();
    activateWindow();
}

void SplashWindow::keyPressEvent(QKeyEvent* event) {
    // Only keys that produce a character count: Shift, arrows and the like do not.
    if (event->text().isEmpty()) {
        QFrame::keyPressEvent(event);
        return;
    }
    Form_KeyPress(event->text().at(0).unicode());
}

bool SplashWindow::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    const bool mouse = type == QEvent::MouseButtonPress || type == QEvent::MouseButtonRelease ||
                       type == QEvent::MouseButtonDblClick;
    if (!mouse) {
        return QFrame::eventFilter(watched, event);
    }
    if (watched != m_ui->Frame1) {
        return true;
    }
    const auto* mouseEvent = static_cast<QMouseEvent*>(event);
    if (mouseEvent->button() != Qt::LeftButton) {
        return false;
    }
    if (type == QEvent::MouseButtonPress) {
        m_frame1Pressed = true;
    } else if (type == QEvent::MouseButtonRelease && m_frame1Pressed) {
        m_frame1Pressed = false;
        if (m_ui->Frame1->rect().contains(mouseEvent->position().toPoint())) {
            Frame1_Click();
        }
    }
    return true;
}

void SplashWindow::tmrTimer_Timer() {
    handOver();
}

void SplashWindow::Form_KeyPress(int /*KeyAscii*/) {
    handOver();
}

void SplashWindow::Frame1_Click() {
    handOver();
}

void SplashWindow::handOver() {
    if (m_handedOver) {
        return;
    }
    m_handedOver = true;
    m_tmrTimer->stop();
    // The main window first, however long its load takes: the splash stays up meanwhile.
    const bool shown = m_showMainWindow();
    if (!shown) {
        Q_EMIT mainWindowFailed();
    }
    close();
}

} // namespace ui
