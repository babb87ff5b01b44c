#pragma once

#include "refdata/reference_database.h"
#include "refdata/reference_tables.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

namespace refdata::test {

std::filesystem::path fixture(std::string_view name);

// A fresh folder under the system's temporary folder, removed with everything in it.
class TemporaryFolder {
public:
    TemporaryFolder();
    ~TemporaryFolder();
    const std::filesystem::path& path() const { return m_path; }
    std::filesystem::path operator/(std::string_view name) const { return m_path / name; }

private:
    std::filesystem::path m_path;
};

void writeFile(const std::filesystem::path& file, std::string_view bytes);
std::string readFile(const std::filesystem::path& file);

// The SQLite twin of an Access fixture, from the CSV twins beside it. "\N" marks a null,
// as in those files; everything else is taken as it stands.
ReferenceTables tablesFromCsvTwins(std::string_view stationsCsv, std::string_view curveNumbersCsv);

// Runs sqlite3_exec statements on a new database file (for layouts the builder never makes).
void makeSqliteDatabase(const std::filesystem::path& file, const char* sql);

// The DatabaseError message of `action`; fails the test when nothing (or something else) is
// thrown.
std::string errorOf(const std::function<void()>& action);

} // namespace refdata::test
