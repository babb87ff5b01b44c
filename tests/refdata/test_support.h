#pragma once

#include "refdata/reference_database.h"
#include "tests/test_files.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <stdexcept>
#include <string>
#include <string_view>

namespace refdata::test {

std::filesystem::path fixture(std::string_view name);

using zebtest::readFile;
using zebtest::TemporaryFolder;

// Writes the file; a failure fails the test.
void writeFile(const std::filesystem::path& file, std::string_view bytes);

// Runs sqlite3_exec statements on a new database file (for layouts the builder never makes).
void makeSqliteDatabase(const std::filesystem::path& file, const char* sql);

// The answer of a call; an error fails the test, thrown where gtest reports it.
template <typename T> T valueOf(Result<T> result) {
    if (const auto* error = std::get_if<DatabaseError>(&result)) {
        throw std::runtime_error("unexpected DatabaseError: " + error->message);
    }
    return std::move(std::get<T>(result));
}

// The error of a call; an answer fails the test.
template <typename T> std::string messageOf(const Result<T>& result) {
    const auto* error = std::get_if<DatabaseError>(&result);
    EXPECT_TRUE(error) << "no DatabaseError";
    return error ? error->message : std::string();
}
std::string messageOf(const std::optional<DatabaseError>& failure);

} // namespace refdata::test
