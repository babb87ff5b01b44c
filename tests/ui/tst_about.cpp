// The About box: one box at most, its keys, "&System Info..." and its part in ending the
// program when the last window closes.

#include "ui/about.h"
#include "ui/dialog_service.h"
#include "ui/splash.h"
#include "ui/sysinfo.h"

#include "scripted_dialogs.h"
#include "window_harness.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <memory>
#include <vector>

namespace {

// Finds nothing and starts nothing, or starts whatever look-up 1 names.
class FakePlatform final : public ui::SysInfoPlatform {
public:
    explicit FakePlatform(std::vector<std::string>* started, bool toolPresent)
        : m_started(started), m_toolPresent(toolPresent) {}

    std::optional<ui::RawKeyValue> readKeyValue(const ui::KeyLookup& lookup) override {
        if (!m_toolPresent || lookup.keyName != ui::kSysInfoPathLookup.keyName) {
            return std::nullopt;
        }
        return ui::RawKeyValue{ui::kRegSz, std::string("/opt/tool\0", 10), 10};
    }
    bool isOrdinaryFile(const std::string&) override { return m_toolPresent; }
    bool startProgram(const std::string& path) override {
        m_started->push_back(path);
        return true;
    }

private:
    std::vector<std::string>* m_started;
    bool m_toolPresent;
};

} // namespace

class AboutTest : public QObject {
    Q_OBJECT

private:
    ScriptedDialogs m_dialogs;
    std::vector<std::string> m_started;

    ui::AboutBox* openAbout(bool toolPresent = false) {
        return ui::showAboutBox(m_dialogs, [this, toolPresent] {
            return std::make_unique<FakePlatform>(&m_started, toolPresent);
        });
    }

private Q_SLOTS:
    void init() { m_started.clear(); }
    void cleanup() {
        for (QWidget* w : QApplication::topLevelWidgets()) {
            w->close();
        }
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY2(!m_dialogs.hasPendingBoxes(), qPrintable(m_dialogs.describePending()));
    }

    void layout() {
        ui::AboutBox* box = openAbout();
        QCOMPARE(box->windowTitle(), QStringLiteral("Sobre ZEB"));
        QCOMPARE(box->size(), QSize(382, 237));
        QCOMPARE(box->minimumSize(), box->maximumSize());
        QVERIFY(!box->windowFlags().testFlag(Qt::WindowMinimizeButtonHint));
        QVERIFY(!box->windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
        QVERIFY(!box->isModal());
        QVERIFY(box->parentWidget() == nullptr);
        QCOMPARE(box->findChild<QLabel*>(QStringLiteral("lblVersion"))->text(),
                 QStringLiteral("Versão 1.0"));
        QCOMPARE(box->findChild<QPushButton*>(QStringLiteral("cmdSysInfo"))->text(),
                 QStringLiteral("&System Info..."));
        QVERIFY(box->findChild<QPushButton*>(QStringLiteral("cmdOK"))->isDefault());
        // The etched separator: grey, then white one pixel below it.
        const QImage image = box->grab().toImage();
        QCOMPARE(QColor(image.pixel(200, 163)), QColor(128, 128, 128));
        QCOMPARE(QColor(image.pixel(200, 164)), QColor(255, 255, 255));
        QCOMPARE(QColor(image.pixel(200, 165)), QColor(255, 255, 255));
        // Texts sized to themselves are not clipped.
        for (const char* name : {"lblDisclaimer", "Label1", "Label2", "Label3", "Label4"}) {
            auto* label = box->findChild<QLabel*>(QString::fromLatin1(name));
            QVERIFY2(label->width() >= label->sizeHint().width(), name);
        }
    }

    void sobreTwiceLeavesOneBox() {
        ui::AboutBox* first = openAbout();
        ui::AboutBox* second = openAbout();
        QCOMPARE(first, second);
        QCOMPARE(box_count(), 1);
    }

    void sobreFromTheMainWindowTwiceLeavesOneBoxThatOutlivesIt() {
        auto harness = std::make_unique<WindowHarness>();
        QVERIFY(harness->open());
        auto* sobre = harness->window().findChild<QAction*>(QStringLiteral("mnuSobre"));
        QVERIFY(sobre != nullptr);
        sobre->trigger();
        sobre->trigger();
        QCOMPARE(box_count(), 1);
        // Modeless: the main window stays usable, and closing it leaves the box open.
        QVERIFY(QApplication::activeModalWidget() == nullptr);
        harness->window().close();
        QCOMPARE(box_count(), 1);
        harness.reset();
        QCOMPARE(box_count(), 1);
    }

    void closedBoxIsReplacedByAFreshOne_data() {
        QTest::addColumn<int>("how");
        QTest::newRow("OK") << 0;
        QTest::newRow("Enter") << 1;
        QTest::newRow("Esc") << 2;
        QTest::newRow("close button") << 3;
    }
    void closedBoxIsReplacedByAFreshOne() {
        QFETCH(int, how);
        QPointer<ui::AboutBox> box = openAbout();
        QVERIFY(QTest::qWaitForWindowExposed(box));
        switch (how) {
        case 0:
            QTest::mouseClick(box->findChild<QPushButton*>(QStringLiteral("cmdOK")),
                              Qt::LeftButton);
            break;
        case 1:
            QTest::keyClick(box, Qt::Key_Return);
            break;
        case 2:
            QTest::keyClick(box, Qt::Key_Escape);
            break;
        default:
            box->close();
        }
        QTRY_VERIFY(box == nullptr);
        QCOMPARE(box_count(), 0);
        QVERIFY(openAbout() != nullptr);
        QCOMPARE(box_count(), 1);
    }

    void sysInfoUnavailableShowsTheMessageAndKeepsTheBox() {
        ui::AboutBox* box = openAbout(false);
        QTest::mouseClick(box->findChild<QPushButton*>(QStringLiteral("cmdSysInfo")),
                          Qt::LeftButton);
        const QList<ScriptedDialogs::Message> messages = m_dialogs.takeMessages();
        QCOMPARE(messages.size(), 1);
        QCOMPARE(messages[0].text,
                 QStringLiteral("System Information Is Unavailable At This Time"));
        QVERIFY(messages[0].title.isEmpty() || messages[0].title == QStringLiteral("ZEB"));
        QCOMPARE(messages[0].icon, ui::MessageIcon::None);
        QVERIFY(box->isVisible());
        QVERIFY(m_started.empty());
    }

    void sysInfoStartsTheTool() {
        ui::AboutBox* box = openAbout(true);
        QVERIFY(QTest::qWaitForWindowActive(box));
        QTest::keyClick(box, Qt::Key_S, Qt::AltModifier);
        // An access key clicks the button a moment later, as it shows it pressed.
        QTRY_COMPARE(m_started, std::vector<std::string>{"/opt/tool"});
        QVERIFY(!m_dialogs.hasPendingBoxes());
    }

    // The whole life of the program: the splash hands over, the About box is opened, the
    // main window closes first and the program ends only when the About box closes too.
    void programEndsWhenItsLastWindowCloses() {
        QVERIFY(QGuiApplication::quitOnLastWindowClosed());
        QPointer<QWidget> mainWindow;
        QPointer<ui::AboutBox> about;
        std::vector<QString> steps;
        auto note = [&steps](const char* step) { steps.push_back(QString::fromLatin1(step)); };
        connect(qApp, &QGuiApplication::lastWindowClosed, this, [&] { note("last closed"); });

        auto* splash = new ui::SplashWindow([&] {
            mainWindow = new QWidget;
            mainWindow->setAttribute(Qt::WA_DeleteOnClose);
            mainWindow->show();
            note("main shown");
            return true;
        });
        splash->showCentred();
        QTimer::singleShot(0, splash, [splash] { QTest::keyClick(splash, Qt::Key_Z); });
        QTimer::singleShot(200, this, [&] {
            note("about opened");
            about = openAbout();
        });
        QTimer::singleShot(400, this, [&] {
            note("main closing");
            mainWindow->close();
        });
        QTimer::singleShot(800, this, [&] {
            note(about != nullptr && about->isVisible() ? "about still open" : "about gone");
            about->close();
        });
        QTimer watchdog;
        watchdog.setSingleShot(true);
        connect(&watchdog, &QTimer::timeout, this, [&] {
            note("watchdog");
            QCoreApplication::exit(99);
        });
        watchdog.start(5000);

        const int status = QCoreApplication::exec();
        QCOMPARE(status, 0);
        const std::vector<QString> expected = {
            QStringLiteral("main shown"),   QStringLiteral("about opened"),
            QStringLiteral("main closing"), QStringLiteral("about still open"),
            QStringLiteral("last closed"),
        };
        QCOMPARE(steps, expected);
    }

private:
    static int box_count() {
        int count = 0;
        for (QWidget* w : QApplication::topLevelWidgets()) {
            if (qobject_cast<ui::AboutBox*>(w) != nullptr && w->isVisible()) {
                ++count;
            }
        }
        return count;
    }
};

QTEST_MAIN(AboutTest)
#include "tst_about.moc"
