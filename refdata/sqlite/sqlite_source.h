#pragma once

#include "refdata/read_limits.h"
#include "refdata/sqlite/interrupt_timer.h"
#include "refdata/sqlite/sqlite_handle.h"
#include "refdata/table_source.h"

#include <chrono>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace refdata {

// An SQLite file, opened read-only as it stands: nothing is written beside it (no -wal or -shm
// file), so a read-only folder serves. Its integrity is checked on opening. Only tables of
// stored values are read (no view, no computed or hidden column), every read within the
// limits, rows in stored (rowid) order; a match is the query's parameter, so the indexes the
// builder makes serve it.
class SqliteSource final : public TableSource {
public:
    explicit SqliteSource(std::filesystem::path file, ReadLimits limits = {});

    const std::filesystem::path& path() const override { return m_path; }
    std::vector<std::string> columnNames(std::string_view table) override;
    void readRows(std::string_view table, const std::optional<TextMatch>& match, std::size_t limit,
                  const RowVisitor& visit) override;

private:
    class Row;
    class Read;

    // Each read has its own time and its own bytes, from its start to the end of its scope.
    Read startRead();
    void checkTable(std::string_view table);
    void checkIntegrity();
    SqliteStatement prepare(const std::string& sql);
    // The statement's next row; false after the last. A read past its time ends here too.
    bool step(sqlite3_stmt* statement);
    [[noreturn]] void fail(int code) const;

    std::filesystem::path m_path;
    ReadLimits m_limits;
    std::chrono::steady_clock::time_point m_deadline;
    std::size_t m_bytesRead = 0;
    SqliteConnection m_db;
    std::unique_ptr<InterruptTimer> m_timer; // after the connection it interrupts
};

} // namespace refdata
