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
using zebtest::writeFile;

// Runs sqlite3_exec statements on a new database file (for layouts the builder never makes).
void makeSqliteDatabase(const std::filesystem::path& file, const char* sql);

// The answer of a call; an error fails the test, thrown where gtest reports it.
template <typename T> T valueOf(util::Result<T> result) {
    if (!result) {
        throw std::runtime_error("unexpected failure: " + result.failure().message);
    }
    return std::move(*result);
}

// The failure of a call; an answer fails the test.
template <typename T> std::string messageOf(const util::Result<T>& result) {
    EXPECT_FALSE(result) << "no failure";
    return result ? std::string() : result.failure().message;
}
std::string messageOf(const std::optional<util::Failure>& failure);

// "Banco de dados <file>: <text>.", as every database message reads.
std::string problem(const std::filesystem::path& file, const std::string& text);

} // namespace refdata::test
