#pragma once

#include <cstddef>
#include <filesystem>
#include <string>
#include <vector>

namespace refdata {

// One record of a CSV file and the line it starts on (from 1).
struct CsvRecord {
    std::size_t line = 0;
    std::vector<std::string> fields;
};

// Reads a CSV file by RFC 4180: fields separated by commas, records by CR LF or LF, a field
// in double quotes may hold commas, line breaks and doubled quotes. The text must be UTF-8
// (a leading byte-order mark is dropped). Blank lines are skipped. Throws DatabaseFailure
// with the file, the line and the reason.
std::vector<CsvRecord> readCsvFile(const std::filesystem::path& file);

// The same over text already in memory; `file` only names it in messages.
std::vector<CsvRecord> parseCsv(const std::string& text, const std::filesystem::path& file);

} // namespace refdata
