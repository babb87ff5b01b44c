#pragma once

#include "calc/record.h"
#include "cli/options.h"

#include <string>
#include <variant>

namespace cli {

// Why the command stops before computing, with its exit status.
struct CommandFailure {
    int exitCode;
    std::string message;
};

// The station constants of a run in mode Automatic: those given on the command line, or the
// station found in the reference database by name or code.
std::variant<calc::StationCoefficients, CommandFailure>
stationCoefficients(const CommandOptions& options);

} // namespace cli
