#pragma once

#include "refdata/reference_database.h"
#include "util/text.h"

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>

namespace refdata {

// Every database message starts by naming the file: "Banco de dados /x/zeb.mdb: <problem>."
DatabaseError databaseError(const std::filesystem::path& file, std::string_view problem);

// The file is there but cannot be trusted.
DatabaseError corruptDatabase(const std::filesystem::path& file, std::string_view detail);

// A row lacks a value the program needs. Rows are counted from 1 in stored order.
DatabaseError missingValue(const std::filesystem::path& file, std::string_view table,
                           std::size_t row, std::string_view column);

// A number column holds something that is not a number.
DatabaseError notANumber(const std::filesystem::path& file, std::string_view table, std::size_t row,
                         std::string_view column, std::string_view value);

// A problem with an input text file: "Arquivo /x/a.csv, linha 3: <reason>."
DatabaseError fileLineError(const std::filesystem::path& file, std::size_t line,
                            std::string_view reason);

// Names and values are quoted as every message quotes them.
using util::inQuotes;

} // namespace refdata
