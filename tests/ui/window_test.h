#pragma once

// What the window tests share: a fake for every box the windows show, an in-memory reference
// database, and the main window opened over them and driven as a user drives it.

#include "refdata/reference_database.h"
#include "ui/common/dialog_service.h"
#include "ui/main/frmzeb.h"

#include <deque>
#include <functional>
#include <memory>
#include <set>

#include <QComboBox>
#include <QDateTime>
#include <QLineEdit>
#include <QPushButton>

struct ShownMessage {
    QString text;
    QString title;
    ui::MessageIcon icon;
};

// Records every box instead of showing it; answers save and open dialogs from `saveAnswers`
// and `openAnswers` (a path, or a null QString for a cancel) and questions from `yesNoAnswers`
// and `unsavedAnswers`. A dialog or question nobody expected counts as a box left.
class FakeDialogs : public ui::DialogService {
public:
    QList<ShownMessage> messages;
    std::deque<QString> saveAnswers;
    QList<ui::SaveFileRequest> saveRequests;
    std::deque<bool> yesNoAnswers;
    QStringList questions;
    std::deque<QString> openAnswers;
    QList<ui::OpenFileRequest> openRequests;
    std::deque<ui::UnsavedChoice> unsavedAnswers;

    void showMessage(QWidget*, const QString& text, const QString& title,
                     ui::MessageIcon icon) override {
        messages.append({text, title, icon});
    }
    bool askYesNo(QWidget*, const QString& text) override {
        questions.append(text);
        return answer(yesNoAnswers, false, QStringLiteral("an unexpected question: ") + text);
    }
    std::optional<QString> askSaveFileName(QWidget*, const ui::SaveFileRequest& request) override {
        saveRequests.append(request);
        return path(answer(saveAnswers, QString(), QStringLiteral("an unexpected save dialog")));
    }
    std::optional<QString> askOpenFileName(QWidget*, const ui::OpenFileRequest& request) override {
        openRequests.append(request);
        return path(answer(openAnswers, QString(), QStringLiteral("an unexpected open dialog")));
    }
    ui::UnsavedChoice askSaveChanges(QWidget*, const QString& text) override {
        questions.append(text);
        return answer(unsavedAnswers, ui::UnsavedChoice::Cancel,
                      QStringLiteral("an unexpected question: ") + text);
    }
    QList<ShownMessage> take() { return std::exchange(messages, {}); }

private:
    template <typename T>
    T answer(std::deque<T>& answers, T unanswered, const QString& unexpected) {
        if (answers.empty()) {
            messages.append({unexpected, {}, {}});
            return unanswered;
        }
        T given = answers.front();
        answers.pop_front();
        return given;
    }
    static std::optional<QString> path(const QString& answer) {
        return answer.isNull() ? std::nullopt : std::optional(answer);
    }
};

// Answers as the real databases do: stored order, the first row of a name or land class.
// Rows named in `unreadable` fail like a row with a null value, "zeb" the list of stations; ""
// there fails the list of all land classes.
class FakeDatabase : public refdata::ReferenceDatabase {
public:
    std::vector<calc::Station> stations;
    std::vector<refdata::CurveNumberRecord> curveNumbers;
    std::set<std::string> unreadable;
    int stationLookups = 0;

    util::Result<std::vector<calc::Station>> allStations() override;
    util::Result<std::vector<std::string>> allLandClasses() override {
        return landClassesOfZone({});
    }
    util::Result<std::vector<std::string>> landClassesOfZone(std::string_view zone) override;
    util::Result<std::optional<calc::Station>> findStationByName(std::string_view name) override;
    util::Result<std::optional<double>> findCurveNumber(std::string_view landClass) override;
    const std::filesystem::path& path() const override { return m_path; }

private:
    std::filesystem::path m_path{"/dados/zeb-teste.sqlite"};
};

class WindowHarness {
public:
    // Loads and shows the window with the separators of a locale ("en_US", "pt_BR") over the
    // test database: the golden report's station first (code 101), a second row of that name,
    // an apostrophe, an empty name; a land class in both zones. False when the load failed.
    bool open(const char* locale = "en_US", const std::function<void(FakeDatabase&)>& adjust = {});
    // The same, the window's clock at the golden report's moment.
    bool openAtTheGoldenMoment(const char* locale = "en_US",
                               const std::function<void(FakeDatabase&)>& adjust = {});

    // Set before open(): the window's clock and printer (the system's when left empty), and a
    // failure the database throws when it is opened.
    std::function<QDateTime()> clock;
    ui::PrinterSource printer;
    std::optional<std::string> openingFailure;
    // Set before open(): opens a real database instead of the fake one.
    ui::DatabaseOpener opener;
    FakeDialogs dialogs;

    ui::frmZEB& window() { return *m_window; }
    FakeDatabase& database() { return *m_database; }
    template <typename T = QWidget> T* child(const char* name) const {
        return m_window->findChild<T*>(QString::fromLatin1(name));
    }
    QLineEdit* field(const char* name) const { return child<QLineEdit>(name); }
    QComboBox* list(const char* name) const { return child<QComboBox>(name); }
    QPushButton* button(const char* name) const { return child<QPushButton>(name); }
    QString text(const char* field) const { return child<QLineEdit>(field)->text(); }

    // Clicks into the field, selects its text and types the new one key by key.
    void type(const char* field, const QString& text);
    // Leaves the focused control with Tab.
    void pressTab();
    // Opens the list, highlights the item and confirms it with Enter.
    void pick(const char* list, const QString& text);
    QString cell(int row, int column) const;
    QString focusName() const;

    // The golden report's run as a user enters it: river, station, CN 75, area 50, length
    // 30.46 and drop 235.59 (a time of concentration of 6.00 h), "1 h", TR 100.
    void enterWorkedExample();
    // The same, then "&Calcular".
    void runWorkedExample();
    // "Equação IDF" chosen and a published equation typed: K 897.79, m 0.1463, t0 11.83 min,
    // n 0.7580.
    void enterIdfEquation();

private:
    FakeDatabase* m_database = nullptr;
    std::unique_ptr<ui::frmZEB> m_window;
};

// Opens a harness before each test and fails a test that left a box untaken.
class WindowTest : public QObject {
    Q_OBJECT
protected:
    std::unique_ptr<WindowHarness> h;
private Q_SLOTS:
    void init() { h = std::make_unique<WindowHarness>(); }
    void cleanup();
};

// The values of the golden report's series whose label starts the line, e.g. "Vazão Total".
QStringList goldenSeries(const QString& label);
// What the window's report of the worked example must be: the golden report with the typed
// length and drop on lines 8 and 9.
QStringList expectedWorkedExampleReport();
// The file's bytes; none when it cannot be read.
QByteArray fileBytes(const QString& path);
// A report file's bytes (Windows-1252, CR LF) as text lines.
QStringList reportFileLines(const QByteArray& bytes);
