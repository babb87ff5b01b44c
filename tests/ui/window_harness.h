#pragma once

#include "fake_reference_database.h"
#include "scripted_dialogs.h"
#include "ui/frmzeb.h"

#include <functional>
#include <memory>

#include <QComboBox>
#include <QDateTime>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QTimer>

// The main window opened over a test database, driven the way a user drives it.
class WindowHarness {
public:
    using DatabaseFactory =
        std::function<refdata::Result<std::unique_ptr<refdata::ReferenceDatabase>>()>;

    WindowHarness();
    ~WindowHarness();

    // Loads and shows the window with the separators of the locale; false when the load failed.
    bool open(
        const QLocale& locale = QLocale(QLocale::English, QLocale::UnitedStates),
        DatabaseFactory factory = [] { return makeTestDatabase(); });

    // Set before open(): the window's clock and printer (the system's when left empty).
    std::function<QDateTime()> clock;
    ui::PrinterSource printer;

    ui::frmZEB& window() { return *m_window; }
    ScriptedDialogs& dialogs() { return m_dialogs; }
    // Counts of the lookups the window made (none before open()).
    CountingDatabase& database() { return *m_database; }
    // Any box left untaken, or a real modal dialog that slipped past the seam.
    QString unexpectedBoxes() const;

    QLineEdit* field(const char* name) const;
    QComboBox* list(const char* name) const;
    QPushButton* button(const char* name) const;

    // Clicks into the field, selects its text and types the new one key by key.
    void type(QLineEdit* field, const QString& text);
    // Clicks into the field and deletes its text with the keyboard.
    void clear(QLineEdit* field);
    // Leaves the focused field with Tab.
    void pressTab();
    // Opens the list, highlights the item and confirms it with Enter.
    void pick(QComboBox* list, int index);
    void pick(QComboBox* list, const QString& text);
    // The text of a grid cell, exactly as set.
    QString cell(int row, int column) const;
    QString focusName() const;

private:
    ScriptedDialogs m_dialogs;
    CountingDatabase* m_database = nullptr;
    std::unique_ptr<ui::frmZEB> m_window;
    QTimer m_watchdog;
    QStringList m_modalsClosed;
};

QLocale englishUS();
QLocale portugueseBR();
