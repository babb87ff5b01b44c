// The splash's hand-over to the main window: by its timer, a character key or a click on the
// frame's free area, and never by other keys or clicks.

#include "ui/splash.h"

#include <QElapsedTimer>
#include <QFrame>
#include <QLabel>
#include <QPointer>
#include <QSignalSpy>
#include <QTest>
#include <QThread>
#include <QTimer>
#include <QWidget>

#include <memory>

namespace {

// Stands in for the main window: records whether it was shown and what the splash looked
// like meanwhile.
struct MainWindowStub {
    std::unique_ptr<QWidget> window;
    int loads = 0;
    bool splashVisibleDuringLoad = false;
    QPointer<ui::SplashWindow> splash;
    int loadDelayMs = 0;
    bool fails = false;

    ui::SplashWindow::ShowMainWindow loader() {
        return [this] {
            ++loads;
            splashVisibleDuringLoad = splash != nullptr && splash->isVisible();
            if (loadDelayMs > 0) {
                QThread::msleep(static_cast<unsigned long>(loadDelayMs));
            }
            if (fails) {
                return false;
            }
            window = std::make_unique<QWidget>();
            window->show();
            return true;
        };
    }
    bool shown() const { return window != nullptr && window->isVisible(); }
};

} // namespace

class SplashTest : public QObject {
    Q_OBJECT

private:
    MainWindowStub m_main;
    QPointer<ui::SplashWindow> m_splash;
    bool m_mainShownWhenSplashWent = false;

    void startSplash() {
        m_main = MainWindowStub{};
        m_mainShownWhenSplashWent = false;
        m_splash = new ui::SplashWindow(m_main.loader());
        m_main.splash = m_splash;
        connect(m_splash, &QObject::destroyed, this,
                [this] { m_mainShownWhenSplashWent = m_main.shown(); });
        m_splash->showCentred();
        QVERIFY(QTest::qWaitForWindowExposed(m_splash));
    }

    // The splash is gone only after the main window was shown, and it loaded once.
    void verifyHandedOver() {
        QTRY_VERIFY(m_splash == nullptr);
        QVERIFY(m_main.shown());
        QVERIFY(m_mainShownWhenSplashWent);
        QCOMPARE(m_main.loads, 1);
    }

    void verifyStillWaiting() {
        QTest::qWait(50);
        QVERIFY(m_splash != nullptr);
        QVERIFY(m_splash->isVisible());
        QCOMPARE(m_main.loads, 0);
        auto* timer = m_splash->findChild<QTimer*>(QStringLiteral("tmrTimer"));
        QVERIFY(timer != nullptr && timer->isActive());
    }

private Q_SLOTS:
    void cleanup() {
        delete m_splash;
        m_main.window.reset();
    }

    void layoutIsFixedAndCentred() {
        startSplash();
        QCOMPARE(m_splash->findChild<QWidget*>(QStringLiteral("client"))->size(), QSize(492, 283));
        QCOMPARE(m_splash->minimumSize(), m_splash->maximumSize());
        QVERIFY(m_splash->windowFlags().testFlag(Qt::SplashScreen));
        QVERIFY(m_splash->windowTitle().isEmpty());
        auto* picture = m_splash->findChild<QLabel*>(QStringLiteral("Picture1"));
        QCOMPARE(picture->pixmap().size(), QSize(125, 135));
        QCOMPARE(picture->contentsRect().size(), QSize(125, 135));
        const QRect screen = m_splash->screen()->availableGeometry();
        QVERIFY(qAbs(m_splash->frameGeometry().center().x() - screen.center().x()) <= 1);
        QVERIFY(qAbs(m_splash->frameGeometry().center().y() - screen.center().y()) <= 1);
    }

    void handsOverWhenTheTimerTicks() {
        QElapsedTimer clock;
        clock.start();
        startSplash();
        verifyStillWaiting();
        QTRY_VERIFY_WITH_TIMEOUT(m_splash == nullptr, 5000);
        QVERIFY(clock.elapsed() >= ui::SplashWindow::kHandOverDelayMs - 50);
        verifyHandedOver();
    }

    void keys_data() {
        QTest::addColumn<int>("key");
        QTest::addColumn<bool>("handsOver");
        QTest::newRow("letter") << int(Qt::Key_A) << true;
        QTest::newRow("digit") << int(Qt::Key_7) << true;
        QTest::newRow("space") << int(Qt::Key_Space) << true;
        QTest::newRow("Enter") << int(Qt::Key_Return) << true;
        QTest::newRow("Esc") << int(Qt::Key_Escape) << true;
        QTest::newRow("lone Shift") << int(Qt::Key_Shift) << false;
        QTest::newRow("arrow") << int(Qt::Key_Left) << false;
        QTest::newRow("F1") << int(Qt::Key_F1) << false;
    }
    void keys() {
        QFETCH(int, key);
        QFETCH(bool, handsOver);
        startSplash();
        QTest::keyClick(m_splash, static_cast<Qt::Key>(key));
        if (handsOver) {
            // At once: long before the timer would tick.
            QVERIFY(m_splash == nullptr || !m_splash->isVisible());
            verifyHandedOver();
        } else {
            verifyStillWaiting();
        }
    }

    void clicks_data() {
        QTest::addColumn<QString>("target");
        QTest::addColumn<QPoint>("where"); // relative to the target
        QTest::addColumn<bool>("handsOver");
        QTest::newRow("frame's free area") << QStringLiteral("Frame1") << QPoint(400, 30) << true;
        QTest::newRow("frame near its edge") << QStringLiteral("Frame1") << QPoint(3, 260) << true;
        QTest::newRow("picture") << QStringLiteral("Picture1") << QPoint(60, 60) << false;
        QTest::newRow("product name") << QStringLiteral("lblProductName") << QPoint(5, 5) << false;
        QTest::newRow("platform") << QStringLiteral("lblPlatform") << QPoint(5, 5) << false;
        QTest::newRow("version") << QStringLiteral("lblVersion") << QPoint(5, 5) << false;
        QTest::newRow("outside the frame") << QStringLiteral("client") << QPoint(2, 2) << false;
    }
    void clicks() {
        QFETCH(QString, target);
        QFETCH(QPoint, where);
        QFETCH(bool, handsOver);
        startSplash();
        auto* widget = m_splash->findChild<QWidget*>(target);
        QVERIFY(widget != nullptr);
        QTest::mouseClick(widget, Qt::LeftButton, {}, where);
        if (handsOver) {
            verifyHandedOver();
        } else {
            verifyStillWaiting();
        }
    }

    void rightClickOnTheFrameDoesNotHandOver() {
        startSplash();
        QTest::mouseClick(m_splash->findChild<QWidget*>(QStringLiteral("Frame1")), Qt::RightButton,
                          {}, QPoint(400, 30));
        verifyStillWaiting();
    }

    void aSlowLoadKeepsTheSplashUpUntilTheMainWindowIsShown() {
        startSplash();
        m_main.loadDelayMs = 2 * ui::SplashWindow::kHandOverDelayMs;
        QTest::keyClick(m_splash, Qt::Key_X);
        QVERIFY(m_main.splashVisibleDuringLoad);
        verifyHandedOver();
    }

    void aFailedLoadIsReportedAndTheSplashCloses() {
        startSplash();
        m_main.fails = true;
        QSignalSpy failed(m_splash.data(), &ui::SplashWindow::mainWindowFailed);
        QTest::keyClick(m_splash, Qt::Key_X);
        QCOMPARE(failed.count(), 1);
        QTRY_VERIFY(m_splash == nullptr);
        QCOMPARE(m_main.loads, 1);
    }

    void handsOverOnlyOnce() {
        startSplash();
        QTest::keyClick(m_splash, Qt::Key_A);
        if (m_splash != nullptr) {
            QTest::keyClick(m_splash, Qt::Key_B);
        }
        QTest::qWait(ui::SplashWindow::kHandOverDelayMs + 200);
        verifyHandedOver();
    }
};

QTEST_MAIN(SplashTest)
#include "tst_splash.moc"
