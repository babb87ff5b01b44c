#pragma once

#include "refdata/reference_database.h"
#include "refdata/sqlite_handle.h"

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace refdata {

// The reference database in an SQLite file, opened read-only. Every query runs against the
// file anew with its text bound as a parameter, rows in stored (rowid) order.
class SqliteReferenceDatabase final : public ReferenceDatabase {
public:
    explicit SqliteReferenceDatabase(std::filesystem::path file);

    std::vector<StationListItem> allStations() override;
    std::vector<std::string> allLandClasses() override;
    std::vector<std::string> landClassesOfZone(std::string_view zone) override;
    std::optional<StationRecord> findStationByName(std::string_view name) override;
    std::optional<double> findCurveNumber(std::string_view landClass) override;
    const std::filesystem::path& path() const override { return m_path; }

private:
    class Query;

    // The table's column names in their order; DatabaseError when there is no such table.
    std::vector<std::string> columnsOf(std::string_view table);
    [[noreturn]] void fail(int code) const;

    std::filesystem::path m_path;
    SqliteConnection m_db;
};

} // namespace refdata
