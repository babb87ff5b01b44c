#pragma once

#include "calc/station.h"
#include "cli/options.h"
#include "refdata/reference_database.h"
#include "util/failure.h"

#include <filesystem>
#include <memory>
#include <optional>
#include <string>

namespace cli {

// The database a command reads: --database's file, or else the program's own, found from the
// program's folder.
util::Result<std::unique_ptr<refdata::ReferenceDatabase>>
openCommandDatabase(const std::optional<std::string>& given,
                    const std::optional<std::filesystem::path>& programFolder);

// The station a run in mode Automatic uses, and what its lookup has to say.
struct ChosenStation {
    // From the database, or only the constants given on the command line; its name is the
    // report's default station.
    calc::Station station;
    std::string warning;                           // for stderr; empty when nothing to say
    std::optional<std::filesystem::path> database; // the file it was read from
};

// The station constants given on the command line, or the station found in the reference
// database by name or code. Every database failure, a name or code the database lacks
// included, is of kind Database (exit status 4).
util::Result<ChosenStation>
chooseStation(const CommandOptions& options,
              const std::optional<std::filesystem::path>& programFolder);

} // namespace cli
