#pragma once

#include "refdata/reference_database.h"
#include "util/text.h"

#include <chrono>
#include <cstddef>
#include <filesystem>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

namespace refdata {

// Inside this layer a failure is thrown as DatabaseFailure, its message ready for the user;
// every public function catches it and returns it as a failure of kind Database.
class DatabaseFailure : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The failure a caught DatabaseFailure becomes.
util::Failure asFailure(const DatabaseFailure& failure);

// The result of `action`, or the failure it threw.
template <typename Action> auto answerOf(Action&& action) -> util::Result<decltype(action())> {
    try {
        return action();
    } catch (const DatabaseFailure& failure) {
        return asFailure(failure);
    }
}

// The failure `action` threw, if any.
template <typename Action> std::optional<util::Failure> failureOf(Action&& action) {
    try {
        action();
    } catch (const DatabaseFailure& failure) {
        return asFailure(failure);
    }
    return std::nullopt;
}

// Every database message starts by naming the file: "Banco de dados /x/zeb.mdb: <problem>."
DatabaseFailure databaseError(const std::filesystem::path& file, std::string_view problem);

// The file is there but cannot be trusted.
DatabaseFailure corruptDatabase(const std::filesystem::path& file, std::string_view detail);

// A read of the file passed one of its limits (ReadLimits): the file is reported as damaged.
DatabaseFailure readTooLong(const std::filesystem::path& file, std::chrono::milliseconds time);
DatabaseFailure readTooBig(const std::filesystem::path& file, std::size_t memory);

// Why the file is no input to read: it is missing, a broken link, a folder, or a special file (a
// pipe would block the read, a device might never end); none for a regular file.
std::optional<std::string> notARegularFile(const std::filesystem::path& file);

// A row lacks a value the program needs. Rows are counted from 1 in stored order.
DatabaseFailure missingValue(const std::filesystem::path& file, std::string_view table,
                             std::size_t row, std::string_view column);

// A number column holds something that is not a number.
DatabaseFailure notANumber(const std::filesystem::path& file, std::string_view table,
                           std::size_t row, std::string_view column, std::string_view value);

// A problem with an input text file: "Arquivo /x/a.csv, linha 3: <reason>."
DatabaseFailure fileLineError(const std::filesystem::path& file, std::size_t line,
                              std::string_view reason);

// Names and values are quoted as every message quotes them.
using util::inQuotes;

} // namespace refdata
