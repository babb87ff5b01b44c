#pragma once

#include "cli/chart_output.h"
#include "cli/command.h"
#include "cli/options.h"

#include "util/failure.h"
#include <optional>
#include <ostream>
#include <string>

#include <variant>

namespace cli {

// The separators numbers are written with for a person: --locale's, or else the system's; for
// an unknown --locale, the refusal.
util::Result<report::NumberStyle> commandNumberStyle(const std::optional<std::string>& localeName,
                                                     const ProcessEnvironment& environment);

// One run, or one --study, of options already read: the station chosen, the result computed
// and written whole to --output or to `out`, messages and warnings to `err`; the exit status.
int runSingle(const CommandOptions& options, const ProcessEnvironment& environment,
              std::ostream& out, std::ostream& err, const ChartRenderer& renderChart);

} // namespace cli
