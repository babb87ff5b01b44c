#pragma once

#include "refdata/reference_database.h"
#include "refdata/reference_tables.h"
#include "refdata/station_texts.h"

#include <chrono>
#include <cstddef>
#include <filesystem>
#include <optional>
#include <vector>

namespace refdata {

// The user's own database: $XDG_DATA_HOME/zeb/zeb.sqlite, or ~/.local/share/zeb/zeb.sqlite
// when XDG_DATA_HOME is unset or not absolute; none without a home either.
std::optional<std::filesystem::path> userDatabasePath(const char* xdgDataHome, const char* home);

// Where the user's own database lies for the running program: from the environment as above on
// Linux, %APPDATA%\zeb\zeb.sqlite on Windows (user_folder_posix.cpp, user_folder_windows.cpp).
std::optional<std::filesystem::path> userDatabasePath();

// Both tables of a database file of either format, nulls kept.
util::Result<ReferenceTables> readDatabaseTables(const std::filesystem::path& file);

// What an import says besides its changes, one line a station: the stations left out, with
// the reason, and the stations kept with a warning.
struct ImportNotes {
    std::vector<std::string> leftOut;
    std::vector<std::string> warnings;
};

// The user's stations: every change reads the user's database, or, before the first change,
// the database in use (`current`, SQLite or Access, never written), changes its stations and
// writes the user's database whole or not at all. A refused change leaves it as it was.
// Changes by several programs at once are made one after another (a lock on a file beside the
// database); one that waits longer than `lockPatience` is refused.
class UserStations {
public:
    UserStations(std::filesystem::path user, std::filesystem::path current,
                 std::chrono::milliseconds lockPatience = std::chrono::seconds(5))
        : m_user(std::move(user)), m_current(std::move(current)), m_lockPatience(lockPatience) {}

    // The stations a change starts from, in stored order.
    util::Result<std::vector<StationRow>> stations() const;

    // `index` is a position in stations() and `listedCode` the code listed there: when another
    // program has changed the file since, the change is refused rather than made to another
    // station. A station is checked as a line of the stations file; a code another station
    // has is refused.
    std::optional<util::Failure> add(const StationTexts& station);
    std::optional<util::Failure> edit(std::size_t index, const std::string& listedCode,
                                      const StationTexts& station);
    std::optional<util::Failure> remove(std::size_t index, const std::string& listedCode);

    // Stations of a stations file or of a legacy Access file: one with a code already there
    // replaces it, the others are added at the end. A stations file with a bad line is
    // refused whole; of an Access file, whose rows the user cannot mend as easily, the
    // stations a stations file would refuse are left out, and the reasons come back, one a
    // station.
    util::Result<ImportNotes> importCsv(const std::filesystem::path& csv);
    util::Result<ImportNotes> importAccess(const std::filesystem::path& mdb);

    // The stations as a stations file that importCsv and --build-database read.
    std::optional<util::Failure> exportCsv(const std::filesystem::path& csv) const;

    const std::filesystem::path& userPath() const { return m_user; }

private:
    template <typename Change> std::optional<util::Failure> change(Change&& apply);

    std::filesystem::path m_user;
    std::filesystem::path m_current;
    std::chrono::milliseconds m_lockPatience;
};

} // namespace refdata
