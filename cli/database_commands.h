#pragma once

#include "cli/options.h"
#include "cli/station_source.h"

#include <filesystem>
#include <optional>
#include <string>
#include <variant>

namespace cli {

// The text --list prints: stations as "codigo<TAB>nome<TAB>estado" lines, land classes one
// per line, in stored order, UTF-8; control characters as codes, long values cut.
std::variant<std::string, CommandFailure>
listReferenceData(const ListRequest& request,
                  const std::optional<std::filesystem::path>& programFolder);

// Builds the SQLite database --build-database asks for and returns the line that confirms
// it. A refused input leaves the output file as it was.
std::variant<std::string, CommandFailure>
buildReferenceDatabase(const BuildDatabaseRequest& request);

} // namespace cli
