#pragma once

#include <QFrame>

#include <functional>

class QTimer;

namespace Ui {
class frmSplash;
}

namespace ui {

// The start-up window `frmSplash`: the program's name, platform line, version and emblem.
// After 1500 ms, on a character key or on a click on the frame's free area it hands over to
// the main window: the main window is shown first, then the splash closes and deletes itself,
// so the program never passes through a moment without an open window.
class SplashWindow : public QFrame {
    Q_OBJECT

public:
    // Loads and shows the main window; false when loading failed (the failure has already
    // been reported to the user).
    using ShowMainWindow = std::function<bool()>;

    static constexpr int kHandOverDelayMs = 1500;

    // Create with new: the splash deletes itself when it closes. Its timer starts at once.
    explicit SplashWindow(ShowMainWindow showMainWindow);
    ~SplashWindow() override;

    // Shows the splash centred on the screen and makes it the active window.
    void showCentred();

Q_SIGNALS:
    // The main window could not be loaded; the program is to end with a failure status.
    void mainWindowFailed();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void tmrTimer_Timer();
    void Form_KeyPress(int KeyAscii);
    void Frame1_Click();
    void handOver();

    Ui::frmSplash* m_ui;
    QTimer* m_tmrTimer;
    ShowMainWindow m_showMainWindow;
    bool m_frame1Pressed = false;
    bool m_handedOver = false;
};

} // namespace ui
