#pragma once

#include "cli/chart_output.h"
#include "cli/command.h"
#include "cli/options.h"

#include <ostream>

namespace cli {

// One run, or one --study, of options already read: the station chosen, the result computed
// and written whole to --output or to `out`, messages and warnings to `err`; the exit status.
int runSingle(const CommandOptions& options, const ProcessEnvironment& environment,
              std::ostream& out, std::ostream& err, const ChartRenderer& renderChart);

} // namespace cli
