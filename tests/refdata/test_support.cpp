#include "tests/refdata/test_support.h"
#include "util/path_text.h"

#include <sqlite3.h>

namespace refdata::test {

std::filesystem::path fixture(std::string_view name) {
    return std::filesystem::path(ZEB_TEST_DATA_DIR) / name;
}

void makeSqliteDatabase(const std::filesystem::path& file, const char* sql) {
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(util::utf8FromPath(file).c_str(), &db), SQLITE_OK);
    char* message = nullptr;
    const int code = sqlite3_exec(db, sql, nullptr, nullptr, &message);
    EXPECT_EQ(code, SQLITE_OK) << (message ? message : "");
    sqlite3_free(message);
    sqlite3_close(db);
}

std::string messageOf(const std::optional<util::Failure>& failure) {
    EXPECT_TRUE(failure) << "no failure";
    return failure ? failure->message : std::string();
}

std::string problem(const std::filesystem::path& file, const std::string& text) {
    return "Banco de dados " + file.string() + ": " + text + ".";
}

} // namespace refdata::test
