#pragma once

#include "refdata/sqlite/sqlite_handle.h"
#include "refdata/table_source.h"

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace refdata {

// An SQLite file, opened read-only. Every read runs against the file anew, rows in stored
// (rowid) order; a match is the query's parameter, so the indexes the builder makes serve it.
class SqliteSource final : public TableSource {
public:
    explicit SqliteSource(std::filesystem::path file);

    const std::filesystem::path& path() const override { return m_path; }
    std::vector<std::string> columnNames(std::string_view table) override;
    void readRows(std::string_view table, const std::optional<TextMatch>& match, std::size_t limit,
                  const RowVisitor& visit) override;

private:
    class Row;

    SqliteStatement prepare(const std::string& sql);
    [[noreturn]] void fail(int code) const;

    std::filesystem::path m_path;
    SqliteConnection m_db;
};

} // namespace refdata
