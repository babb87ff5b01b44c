#pragma once

#include "cli/options.h"
#include "util/failure.h"

#include <filesystem>
#include <optional>
#include <string>

namespace cli {

// The text --list prints: stations as "codigo<TAB>nome<TAB>estado" lines, land classes one
// per line, in stored order, UTF-8; control characters as codes, long values cut.
util::Result<std::string>
listReferenceData(const ListRequest& request,
                  const std::optional<std::filesystem::path>& programFolder);

// Builds the SQLite database --build-database asks for and returns the line that confirms
// it. A refused input leaves the output file as it was.
util::Result<std::string> buildReferenceDatabase(const BuildDatabaseRequest& request);

} // namespace cli
