#include "tests/refdata/test_support.h"

#include "refdata/csv_reader.h"
#include "refdata/value_text.h"

#include <sqlite3.h>

#include <fstream>
#include <random>
#include <sstream>

namespace refdata::test {

std::filesystem::path fixture(std::string_view name) {
    return std::filesystem::path(ZEB_TEST_DATA_DIR) / name;
}

TemporaryFolder::TemporaryFolder() {
    std::random_device random;
    m_path = std::filesystem::temp_directory_path() /
             ("zeb-refdata-test-" + std::to_string(random()) + std::to_string(random()));
    std::filesystem::create_directories(m_path);
}

TemporaryFolder::~TemporaryFolder() {
    std::error_code ignored;
    std::filesystem::permissions(m_path, std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, ignored);
    std::filesystem::remove_all(m_path, ignored);
}

void writeFile(const std::filesystem::path& file, std::string_view bytes) {
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    ASSERT_TRUE(out.good()) << file;
}

std::string readFile(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

namespace {

std::optional<std::string> twinText(const std::string& field) {
    return field == "\\N" ? std::nullopt : std::optional(field);
}

std::optional<double> twinNumber(const std::string& field) {
    if (field == "\\N") {
        return std::nullopt;
    }
    const auto value = parseNumberText(field);
    EXPECT_TRUE(value) << field;
    return value;
}

} // namespace

ReferenceTables tablesFromCsvTwins(std::string_view stationsCsv, std::string_view curveNumbersCsv) {
    ReferenceTables tables;
    const auto stations = readCsvFile(fixture(stationsCsv));
    for (std::size_t i = 1; i < stations.size(); ++i) {
        const auto& f = stations[i].fields;
        tables.stations.push_back(
            {twinText(f[0]),
             twinText(f[1]),
             twinText(f[2]),
             {twinNumber(f[3]), twinNumber(f[4]), twinNumber(f[5]), twinNumber(f[6]),
              twinNumber(f[7]), twinNumber(f[8]), twinNumber(f[9])}});
    }
    const auto curveNumbers = readCsvFile(fixture(curveNumbersCsv));
    for (std::size_t i = 1; i < curveNumbers.size(); ++i) {
        const auto& f = curveNumbers[i].fields;
        tables.curveNumbers.push_back(
            {twinText(f[0]), twinText(f[1]), twinText(f[2]), twinNumber(f[3])});
    }
    return tables;
}

void makeSqliteDatabase(const std::filesystem::path& file, const char* sql) {
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(file.c_str(), &db), SQLITE_OK);
    char* message = nullptr;
    const int code = sqlite3_exec(db, sql, nullptr, nullptr, &message);
    EXPECT_EQ(code, SQLITE_OK) << (message ? message : "");
    sqlite3_free(message);
    sqlite3_close(db);
}

std::string errorOf(const std::function<void()>& action) {
    try {
        action();
    } catch (const DatabaseError& error) {
        return error.what();
    }
    ADD_FAILURE() << "no DatabaseError was thrown";
    return {};
}

} // namespace refdata::test
