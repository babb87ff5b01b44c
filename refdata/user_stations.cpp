#include "refdata/user_stations.h"

#include "numbers/number_text.h"
#include "refdata/access/isolated_access_source.h"
#include "refdata/csv/csv_import.h"
#include "refdata/database_message.h"
#include "refdata/file_lock.h"
#include "refdata/open_database.h"
#include "refdata/sqlite/sqlite_writer.h"
#include "refdata/station_rainfall.h"
#include "refdata/table_database.h"
#include "refdata/table_layout.h"
#include "util/csv_stream.h"
#include "util/file_replacement.h"
#include "util/path_text.h"

#include <algorithm>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <thread>

namespace refdata {

namespace {

StationRow checked(const StationTexts& texts) {
    auto row = stationFromTexts(texts);
    if (!row) {
        throw DatabaseFailure("Posto recusado: " + row.failure().message + ".");
    }
    return *row;
}

void requireNewCode(const std::vector<StationRow>& stations, const StationRow& row,
                    std::optional<std::size_t> except) {
    for (std::size_t i = 0; i < stations.size(); ++i) {
        if (i != except && stations[i].code == row.code) {
            throw DatabaseFailure("Posto recusado: o código " + inQuotes(row.code.value_or("")) +
                                  " já é de outro posto.");
        }
    }
}

void requireListed(const std::vector<StationRow>& stations, std::size_t index,
                   const std::string& listedCode) {
    if (index >= stations.size() || stations[index].code.value_or("") != listedCode) {
        throw DatabaseFailure("O posto escolhido não existe mais no banco de dados.");
    }
}

// Rows of another file merged by code: a known code is replaced in place.
void merge(std::vector<StationRow>& stations, const std::vector<StationRow>& incoming) {
    for (const StationRow& row : incoming) {
        auto same = std::find_if(stations.begin(), stations.end(),
                                 [&row](const StationRow& s) { return s.code == row.code; });
        if (same != stations.end()) {
            *same = row;
        } else {
            stations.push_back(row);
        }
    }
}

// A stored station as the texts a user would write for it; a null is an empty text.
StationTexts textsOf(const StationRow& row) {
    StationTexts texts{
        row.code.value_or(""),     row.name.value_or(""), row.state.value_or(""), {}, {},
        row.idfSource.value_or("")};
    const auto number = [](const std::optional<double>& value) {
        return value ? util::exactNumberText(*value) : std::string();
    };
    const auto& k = row.coefficients;
    const std::optional<double> values[] = {k.a, k.b, k.c, k.B5, k.B15, k.B30, k.Bm};
    std::ranges::transform(values, texts.constants.begin(), number);
    std::ranges::transform(row.idf, texts.idf.begin(), number);
    return texts;
}

// Held while a change reads the user's database and writes it back, so that a change made by
// another program at the same time is not lost. The lock file stays: removing it would let two
// programs lock two different files.
class ChangeLock {
public:
    ChangeLock(const std::filesystem::path& database, std::chrono::milliseconds patience) {
        std::filesystem::path lockFile = database;
        lockFile += ".lock";
        std::string reason;
        const auto file = openLockFile(lockFile, reason);
        if (!file) {
            throw databaseError(database, "não foi possível criar o arquivo de trava " +
                                              util::utf8FromPath(lockFile) + " (" + reason + ")");
        }
        // The wait runs in a thread of its own, so that it can be given up after `patience`
        // however waitForLock waits. A wait given up ends when the lock comes, and lets it go
        // at once.
        auto wait = std::make_shared<Wait>();
        std::thread([wait, handle = *file] {
            auto error = waitForLock(handle);
            const std::lock_guard guard(wait->mutex);
            wait->error = std::move(error);
            wait->done = true;
            if (wait->abandoned) {
                closeLockFile(handle);
            }
            wait->changed.notify_one();
        }).detach();
        std::unique_lock guard(wait->mutex);
        if (!wait->changed.wait_for(guard, patience, [&] { return wait->done; })) {
            wait->abandoned = true;
            throw databaseError(database, "outro programa está alterando este banco; nada foi "
                                          "alterado, tente de novo em instantes");
        }
        if (wait->error) {
            closeLockFile(*file);
            throw databaseError(database, "não foi possível travar o arquivo " +
                                              util::utf8FromPath(lockFile) + " (" + *wait->error +
                                              ")");
        }
        m_file = *file;
    }
    ChangeLock(const ChangeLock&) = delete;
    ChangeLock& operator=(const ChangeLock&) = delete;
    ~ChangeLock() { closeLockFile(m_file); }

private:
    struct Wait {
        std::mutex mutex;
        std::condition_variable changed;
        bool done = false;
        bool abandoned = false;
        std::optional<std::string> error;
    };
    LockFileHandle m_file = -1;
};

} // namespace

std::optional<std::filesystem::path> userDatabasePath(const char* xdgDataHome, const char* home) {
    if (xdgDataHome != nullptr && std::filesystem::path(xdgDataHome).is_absolute()) {
        return std::filesystem::path(xdgDataHome) / "zeb" / "zeb.sqlite";
    }
    if (home != nullptr && std::filesystem::path(home).is_absolute()) {
        return std::filesystem::path(home) / ".local" / "share" / "zeb" / "zeb.sqlite";
    }
    return std::nullopt;
}

util::Result<ReferenceTables> readDatabaseTables(const std::filesystem::path& file) {
    return answerOf([&] { return readReferenceTables(*openTableSource(file)); });
}

util::Result<std::vector<StationRow>> UserStations::stations() const {
    std::error_code error;
    const bool started = std::filesystem::exists(m_user, error);
    auto tables = readDatabaseTables(started ? m_user : m_current);
    if (!tables) {
        return tables.failure();
    }
    return tables->stations;
}

template <typename Change> std::optional<util::Failure> UserStations::change(Change&& apply) {
    return failureOf([&] {
        std::error_code error;
        std::filesystem::create_directories(m_user.parent_path(), error);
        const ChangeLock lock(m_user, m_lockPatience);
        const bool started = std::filesystem::exists(m_user, error);
        auto tables = readDatabaseTables(started ? m_user : m_current);
        if (!tables) {
            throw DatabaseFailure(tables.failure().message);
        }
        apply(tables->stations);
        writeSqliteDatabase(m_user, *tables);
    });
}

std::optional<util::Failure> UserStations::add(const StationTexts& station) {
    return change([&](std::vector<StationRow>& stations) {
        const StationRow row = checked(station);
        requireNewCode(stations, row, std::nullopt);
        stations.push_back(row);
    });
}

std::optional<util::Failure> UserStations::edit(std::size_t index, const std::string& listedCode,
                                                const StationTexts& station) {
    return change([&](std::vector<StationRow>& stations) {
        requireListed(stations, index, listedCode);
        const StationRow row = checked(station);
        requireNewCode(stations, row, index);
        stations[index] = row;
    });
}

std::optional<util::Failure> UserStations::remove(std::size_t index,
                                                  const std::string& listedCode) {
    return change([&](std::vector<StationRow>& stations) {
        requireListed(stations, index, listedCode);
        stations.erase(stations.begin() + static_cast<std::ptrdiff_t>(index));
    });
}

util::Result<ImportNotes> UserStations::importCsv(const std::filesystem::path& csv) {
    ImportNotes notes;
    const auto failure = change([&](std::vector<StationRow>& stations) {
        const std::vector<StationRow> incoming = readStationsCsv(csv);
        notes.warnings = stationWarnings(incoming);
        merge(stations, incoming);
    });
    if (failure) {
        return *failure;
    }
    return notes;
}

util::Result<ImportNotes> UserStations::importAccess(const std::filesystem::path& mdb) {
    ImportNotes notes;
    const auto failure = change([&](std::vector<StationRow>& stations) {
        IsolatedAccessSource source(mdb);
        std::vector<StationRow> accepted;
        for (const StationRow& row : readReferenceTables(source).stations) {
            auto checkedRow = stationFromTexts(textsOf(row));
            if (!checkedRow) {
                notes.leftOut.push_back("posto " + inQuotes(row.code.value_or("")) + ": " +
                                        checkedRow.failure().message);
            } else {
                accepted.push_back(*checkedRow);
            }
        }
        notes.warnings = stationWarnings(accepted);
        merge(stations, accepted);
    });
    if (failure) {
        return *failure;
    }
    return notes;
}

std::optional<util::Failure> UserStations::exportCsv(const std::filesystem::path& csv) const {
    auto rows = stations();
    if (!rows) {
        return rows.failure();
    }
    std::string bytes = "codigo,nome,estado";
    for (const std::string_view column : kCoefficientColumns) {
        bytes += "," + std::string(column);
    }
    for (const std::string_view column : kIdfColumns) {
        bytes += "," + std::string(column);
    }
    bytes += "," + std::string(kIdfSourceColumn) + "\n";
    for (const StationRow& row : *rows) {
        const StationTexts texts = textsOf(row);
        bytes += util::csvField(texts.code) + "," + util::csvField(texts.name) + "," +
                 util::csvField(texts.state);
        for (const std::string& value : texts.constants) {
            bytes += "," + value;
        }
        for (const std::string& value : texts.idf) {
            bytes += "," + value;
        }
        bytes += "," + util::csvField(texts.idfSource) + "\n";
    }
    return util::writeFileAtomically(csv, bytes);
}

} // namespace refdata
