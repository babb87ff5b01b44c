#pragma once

#include "refdata/reference_database.h"

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace refdata {

// Builds an SQLite reference database from the stations and curve-number CSV files. A bad
// file is refused with its name, line and reason; `out` is then left as it was. The warnings
// of stations kept although their rainfall is unusual go to `warnings`, when given.
std::optional<util::Failure> buildDatabaseFromCsv(const std::filesystem::path& out,
                                                  const std::filesystem::path& stationsCsv,
                                                  const std::filesystem::path& curveNumbersCsv,
                                                  std::vector<std::string>* warnings = nullptr);

// Copies the tables `zeb` and `cn` of a legacy Access file into a new SQLite database,
// rows in stored order, nulls kept as nulls. `out` is replaced only when all went well.
std::optional<util::Failure> convertAccessToSqlite(const std::filesystem::path& out,
                                                   const std::filesystem::path& mdbPath);

} // namespace refdata
