#pragma once

#include "refdata/read_limits.h"
#include "refdata/sqlite/sqlite_handle.h"
#include "refdata/table_source.h"

#include <chrono>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace refdata {

// An SQLite file, opened read-only as it stands: nothing is written beside it (no -wal or -shm
// file), so a read-only folder serves. Its integrity is checked on opening. Only real tables
// are read, every read within the limits, rows in stored (rowid) order; a match is the
// query's parameter, so the indexes the builder makes serve it.
class SqliteSource final : public TableSource {
public:
    explicit SqliteSource(std::filesystem::path file, ReadLimits limits = {});

    const std::filesystem::path& path() const override { return m_path; }
    std::vector<std::string> columnNames(std::string_view table) override;
    void readRows(std::string_view table, const std::optional<TextMatch>& match, std::size_t limit,
                  const RowVisitor& visit) override;

private:
    class Row;

    // Each read has its own time from here on.
    void startRead();
    void checkIntegrity();
    SqliteStatement prepare(const std::string& sql);
    // The statement's next row; false after the last.
    bool step(sqlite3_stmt* statement);
    [[noreturn]] void fail(int code) const;

    std::filesystem::path m_path;
    ReadLimits m_limits;
    std::chrono::steady_clock::time_point m_deadline;
    SqliteConnection m_db;
};

} // namespace refdata
