// The application shell: the splash's hand-over to the main window.
// Keys and clicks reach the splash directly, before the event loop could let its timer tick,
// so the cases hold however loaded the machine is.

#include "ui/shell/splash.h"

#include <QElapsedTimer>
#include <QPointer>
#include <QTest>
#include <QTimer>
#include <QWidget>

using namespace Qt::StringLiterals;

class ShellTest : public QObject {
    Q_OBJECT

    QPointer<ui::SplashWindow> m_splash;
    std::unique_ptr<QWidget> m_main;
    QElapsedTimer m_clock;
    qint64 m_loadedAfterMs = -1;
    int m_loads = 0;
    bool m_splashUpDuringLoad = false;
    bool m_mainUpWhenSplashWent = false;

    void startSplash() {
        m_loads = 0;
        m_clock.start();
        m_splash = new ui::SplashWindow([this] {
            ++m_loads;
            m_loadedAfterMs = m_clock.elapsed();
            m_splashUpDuringLoad = m_splash->isVisible();
            m_main = std::make_unique<QWidget>();
            m_main->show();
            return true;
        });
        connect(m_splash, &QObject::destroyed, this,
                [this] { m_mainUpWhenSplashWent = m_main && m_main->isVisible(); });
        m_splash->showCentred();
    }
    // The main window was shown while the splash was up, and the splash went after it; or,
    // unless it did, the splash is still waiting for its timer.
    void verifyHandOver(bool expected) {
        if (expected) {
            QCOMPARE(m_loads, 1);
            QVERIFY(m_splashUpDuringLoad);
            QTRY_VERIFY(m_splash == nullptr);
            QVERIFY(m_mainUpWhenSplashWent);
        } else {
            QCOMPARE(m_loads, 0);
            QVERIFY(m_splash->findChild<QTimer*>(u"tmrTimer"_s)->isActive());
        }
    }

private Q_SLOTS:
    void cleanup() {
        delete m_splash;
        m_main.reset();
    }

    // The timer ends the splash, never before its 1500 ms (a coarse timer may tick 5 % early).
    void timerHandsOver() {
        startSplash();
        QTRY_VERIFY_WITH_TIMEOUT(m_loads == 1, 20000);
        QVERIFY(m_loadedAfterMs >= ui::SplashWindow::kHandOverDelayMs * 95 / 100);
        verifyHandOver(true);
    }

    // A key that types a character, or a left click on the frame's free area, hands over at
    // once; other keys and clicks on the picture or the texts do not. A click lands near the top
    // left corner: inside every target, off every text of the frame.
    void keysAndClicks() {
        const std::tuple<const char*, int, bool> rows[] = {{"", Qt::Key_A, true},
                                                           {"", Qt::Key_Escape, true},
                                                           {"", Qt::Key_Shift, false},
                                                           {"Frame1", Qt::LeftButton, true},
                                                           {"Frame1", Qt::RightButton, false},
                                                           {"Picture1", Qt::LeftButton, false}};
        for (const auto& [target, keyOrButton, handsOver] : rows) {
            startSplash();
            if (*target == '\0') {
                QTest::keyClick(m_splash, static_cast<Qt::Key>(keyOrButton));
            } else {
                QTest::mouseClick(m_splash->findChild<QWidget*>(QLatin1String(target)),
                                  static_cast<Qt::MouseButton>(keyOrButton), {}, QPoint(8, 8));
            }
            verifyHandOver(handsOver);
            delete m_splash;
            m_main.reset();
        }
    }
};

QTEST_MAIN(ShellTest)
#include "tst_shell.moc"
