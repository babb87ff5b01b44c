#pragma once

#include "numbers/number_style.h"
#include "refdata/reference_tables.h"
#include "refdata/user_stations.h"

#include <array>
#include <cstddef>
#include <filesystem>
#include <functional>
#include <optional>
#include <vector>

#include <QWidget>

class QHBoxLayout;
class QLabel;
class QPushButton;
class QTableWidget;

namespace ui {

class DialogService;

// Where the stations window reads and writes, and whom it tells of a change.
struct StationsSource {
    // The user's own database, which every change writes; none without a home folder.
    std::optional<std::filesystem::path> userDatabase;
    // The database the main window reads now.
    std::function<std::filesystem::path()> databaseInUse;
    // Runs before each change: the main window lets go of its database file, which Windows
    // cannot replace while a program holds it open; it opens it again when next needed.
    std::function<void()> releaseDatabase;
    // Runs after each change: the main window reopens its database and its lists follow.
    std::function<void()> changed;
    // Opens the window that fits an IDF equation to a rain gauge's daily series; no command
    // for it when not set.
    std::function<void()> fitFromSeries;
};

// "Postos": the stations of the user's database in a table, with their commands (new, edit,
// delete, import from a stations file or a legacy Access file, export). Modeless beside the
// main window.
class StationsWindow : public QWidget {
    Q_OBJECT
public:
    // `dialogs` must outlive the window. Numbers are shown in `style`.
    StationsWindow(DialogService& dialogs, report::NumberStyle style, StationsSource source,
                   QWidget* parent = nullptr);
    ~StationsWindow() override;

    // Reads the stations again and says which database changes go to.
    void refresh();

    // Opens the form of a new station filled with `station` (none: all empty); "OK" adds it.
    void proposeStation(const std::optional<refdata::StationRow>& station);

private:
    refdata::UserStations userStations() const;
    // The same, for a change: the main window has let go of its database first.
    refdata::UserStations stationsToChange() const;
    std::array<QString, 16> cellsOf(const refdata::StationRow& station) const;
    void fillTable();
    void updateNote();
    void updateCommands();
    std::optional<std::size_t> selectedIndex() const;
    // Shows a refusal, or follows a change: the main window first, then this window, with
    // `row` selected. True when the change was made.
    bool followed(const std::optional<util::Failure>& error, int row);
    // Opens the station form; "OK" makes the change and selects `row` afterwards.
    using Change = std::function<std::optional<util::Failure>(refdata::UserStations,
                                                              const refdata::StationTexts&)>;
    void openForm(const QString& title, const std::optional<refdata::StationRow>& station, int row,
                  const Change& change);

    QHBoxLayout* buildCommands();
    void addStation();
    void editStation();
    void deleteStation();
    void importCsv();
    void importAccess();
    void exportCsv();
    // Follows an import, then lists the stations it left out and those it kept with a warning.
    void followImport(const QString& path, const util::Result<refdata::ImportNotes>& imported);

    DialogService& m_dialogs;
    report::NumberStyle m_style;
    StationsSource m_source;
    std::vector<refdata::StationRow> m_rows;

    QLabel* m_note = nullptr;
    QTableWidget* m_table = nullptr;
    std::vector<QPushButton*> m_changeCommands;
    QPushButton* m_edit = nullptr;
    QPushButton* m_delete = nullptr;
};

} // namespace ui
