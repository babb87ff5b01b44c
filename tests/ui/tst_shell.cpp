// The application shell: the splash's hand-over to the main window and the About box.
// Keys and clicks reach the splash directly, before the event loop could let its timer tick,
// so the cases hold however loaded the machine is.

#include "window_test.h"

#include "ui/about.h"
#include "ui/program.h"
#include "ui/splash.h"
#include "ui/sysinfo.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QLibraryInfo>
#include <QPointer>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTranslator>

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
    FakeDialogs m_dialogs;

    void startSplash(bool loadFails = false) {
        m_loads = 0;
        m_clock.start();
        m_splash = new ui::SplashWindow([this, loadFails] {
            ++m_loads;
            m_loadedAfterMs = m_clock.elapsed();
            m_splashUpDuringLoad = m_splash->isVisible();
            m_main = std::make_unique<QWidget>();
            m_main->setVisible(!loadFails);
            return !loadFails;
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
        QVERIFY(m_dialogs.take().isEmpty());
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
        const std::tuple<const char*, int, bool> rows[] = {
            {"", Qt::Key_A, true},
            {"", Qt::Key_Escape, true},
            {"", Qt::Key_Shift, false},
            {"", Qt::Key_Left, false},
            {"Frame1", Qt::LeftButton, true},
            {"Frame1", Qt::RightButton, false},
            {"Picture1", Qt::LeftButton, false},
            {"lblProductName", Qt::LeftButton, false}};
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

    void handsOverOnceAndEndsAfterAFailedLoad() {
        startSplash(true);
        bool failed = false;
        connect(m_splash, &ui::SplashWindow::mainWindowFailed, this, [&failed] { failed = true; });
        QTest::keyClick(m_splash, Qt::Key_A);
        if (m_splash != nullptr) {
            QTest::keyClick(m_splash, Qt::Key_B);
        }
        QCOMPARE(m_loads, 1);
        QVERIFY(failed);
        QTRY_VERIFY(m_splash == nullptr);
    }

    // "&Sobre" twice shows one box, modeless, which outlives the main window.
    void aboutBoxIsOneAndOutlivesTheMainWindow() {
        auto h = std::make_unique<WindowHarness>();
        QVERIFY(h->open());
        QAction* sobre = h->window().findChild<QAction*>(u"mnuSobre"_s);
        sobre->trigger();
        sobre->trigger();
        const auto boxes = [] {
            int count = 0;
            for (QWidget* window : QApplication::topLevelWidgets()) {
                count += qobject_cast<ui::AboutBox*>(window) != nullptr && window->isVisible();
            }
            return count;
        };
        QCOMPARE(boxes(), 1);
        QCOMPARE(QApplication::activeModalWidget(), nullptr);
        h.reset();
        QCOMPARE(boxes(), 1);
        for (QWidget* window : QApplication::topLevelWidgets()) {
            window->close();
        }
    }

    // The system information button starts the tool, or says it cannot; the box stays.
    void systemInformation() {
        for (const bool toolStarts : {true, false}) {
            QPointer<ui::AboutBox> box = ui::showAboutBox(m_dialogs, [=] { return toolStarts; });
            box->findChild<QPushButton*>(u"cmdSysInfo"_s)->click();
            const QList<ShownMessage> messages = m_dialogs.take();
            QCOMPARE(messages.value(0).text,
                     toolStarts ? QString() : u"System Information Is Unavailable At This Time"_s);
            QCOMPARE(messages.value(0).icon, ui::MessageIcon::None);
            QVERIFY(box->isVisible());
            delete box;
        }
    }

    // Qt's own texts in the system's language, in Portuguese where Qt has none for it, and
    // Qt's English where the translations are missing.
    void qtTextsFollowTheSystemLanguage() {
        const QString installed = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
        const QString missing = QDir::tempPath() + u"/sem-traducoes"_s;
        for (const auto& [locale, folder, yes] : {std::tuple{"pt_BR", installed, u"&Sim"_s},
                                                  {"de_DE", installed, u"&Ja"_s},
                                                  {"C", installed, u"&Sim"_s},
                                                  {"pt_BR", missing, u"&Yes"_s}}) {
            QCOMPARE(ui::installQtTranslations(QLocale(QLatin1String(locale)), folder),
                     folder == installed);
            QCOMPARE(QCoreApplication::translate("QPlatformTheme", "&Yes"), yes);
            qDeleteAll(qApp->findChildren<QTranslator*>());
        }
    }

    // The tool is the first program of the list that is an executable file on PATH.
    void toolIsTheFirstListedExecutableOnThePath() {
        QTemporaryDir folder;
        for (const QString& name : {u"primeiro"_s, u"segundo"_s, u"terceiro"_s}) {
            QFile file(folder.filePath(name));
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.setPermissions(name == u"primeiro"_s ? QFile::ReadOwner
                                                      : QFile::ReadOwner | QFile::ExeOwner);
        }
        const QByteArray path = qgetenv("PATH");
        qputenv("PATH", folder.path().toLocal8Bit());
        const std::optional<QString> found =
            ui::findSysInfoTool({u"ausente"_s, u"primeiro"_s, u"segundo"_s, u"terceiro"_s});
        qputenv("PATH", path);
        QCOMPARE(found.value_or(QString()), folder.filePath(u"segundo"_s));
    }
};

QTEST_MAIN(ShellTest)
#include "tst_shell.moc"
