#include "window_harness.h"

#include "ui/number_style_source.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QTableWidget>
#include <QTest>

QLocale englishUS() {
    return QLocale(QLocale::English, QLocale::UnitedStates);
}

QLocale portugueseBR() {
    return QLocale(QLocale::Portuguese, QLocale::Brazil);
}

namespace {

QtMessageHandler previousHandler = nullptr;

// The offscreen platform cannot raise windows or grab the keyboard for a list's popup and
// says so every time; nothing of the window depends on it.
void quietPlatformHandler(QtMsgType type, const QMessageLogContext& context,
                          const QString& message) {
    if (message.startsWith(QStringLiteral("This plugin does not support"))) {
        return;
    }
    previousHandler(type, context, message);
}

} // namespace

WindowHarness::WindowHarness() {
    static const bool quiet = [] {
        previousHandler = qInstallMessageHandler(quietPlatformHandler);
        return true;
    }();
    (void)quiet;
    // A real modal dialog would block the test for good: close it and report it instead.
    m_watchdog.setInterval(50);
    QObject::connect(&m_watchdog, &QTimer::timeout, [this] {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            m_modalsClosed.append(modal->windowTitle());
            modal->close();
        }
    });
    m_watchdog.start();
}

WindowHarness::~WindowHarness() = default;

bool WindowHarness::open(const QLocale& locale, DatabaseFactory factory) {
    ui::MainWindowServices services;
    services.openDatabase =
        [this, factory]() -> refdata::Result<std::unique_ptr<refdata::ReferenceDatabase>> {
        auto made = factory();
        if (const auto* error = std::get_if<refdata::DatabaseError>(&made)) {
            return *error;
        }
        auto counting = std::make_unique<CountingDatabase>(
            std::move(std::get<std::unique_ptr<refdata::ReferenceDatabase>>(made)));
        m_database = counting.get();
        return std::unique_ptr<refdata::ReferenceDatabase>(std::move(counting));
    };
    services.dialogs = &m_dialogs;
    services.numberStyle = ui::numberStyleOf(locale);
    services.clock = clock;
    services.printer = printer;
    m_window = std::make_unique<ui::frmZEB>(std::move(services));
    if (!m_window->Form_Load()) {
        return false;
    }
    m_window->show();
    return QTest::qWaitForWindowActive(m_window.get());
}

QString WindowHarness::unexpectedBoxes() const {
    QString text = m_dialogs.describePending();
    for (const QString& title : m_modalsClosed) {
        text += QStringLiteral("real modal dialog \"%1\"\n").arg(title);
    }
    return text;
}

QLineEdit* WindowHarness::field(const char* name) const {
    auto* found = m_window->findChild<QLineEdit*>(QString::fromLatin1(name));
    Q_ASSERT(found != nullptr);
    return found;
}

QComboBox* WindowHarness::list(const char* name) const {
    auto* found = m_window->findChild<QComboBox*>(QString::fromLatin1(name));
    Q_ASSERT(found != nullptr);
    return found;
}

QPushButton* WindowHarness::button(const char* name) const {
    auto* found = m_window->findChild<QPushButton*>(QString::fromLatin1(name));
    Q_ASSERT(found != nullptr);
    return found;
}

void WindowHarness::type(QLineEdit* target, const QString& text) {
    QTest::mouseClick(target, Qt::LeftButton);
    target->selectAll();
    QTest::keyClicks(target, text);
}

void WindowHarness::clear(QLineEdit* target) {
    QTest::mouseClick(target, Qt::LeftButton);
    target->selectAll();
    QTest::keyClick(target, Qt::Key_Backspace);
}

void WindowHarness::pressTab() {
    QWidget* focused = QApplication::focusWidget();
    QTest::keyClick(focused != nullptr ? focused : m_window.get(), Qt::Key_Tab);
}

void WindowHarness::pick(QComboBox* target, int index) {
    target->showPopup();
    QAbstractItemView* view = target->view();
    view->setCurrentIndex(target->model()->index(index, target->modelColumn()));
    QTest::keyClick(view, Qt::Key_Return);
}

void WindowHarness::pick(QComboBox* target, const QString& text) {
    const int index = target->findText(text);
    Q_ASSERT(index >= 0);
    pick(target, index);
}

QString WindowHarness::cell(int row, int column) const {
    auto* grid = m_window->findChild<QTableWidget*>(QStringLiteral("grdVazoes"));
    const QTableWidgetItem* item = grid->item(row, column);
    return item != nullptr ? item->text() : QString();
}

QString WindowHarness::focusName() const {
    QWidget* focused = QApplication::focusWidget();
    return focused != nullptr ? focused->objectName() : QString();
}
