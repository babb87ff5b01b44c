#pragma once

#include "cli/command.h"
#include "cli/options.h"

#include <ostream>

namespace cli {

// --fit-idf: the series (and --ratios' table) read, the equation fitted and the analysis
// written whole to --output or to `out`; a refusal of either file (exit 2) names the file, the
// line and the fault, and a Gumbel fit the test rejects is said on `err`. The exit status.
int runFitIdf(const FitIdfRequest& request, const ProcessEnvironment& environment,
              std::ostream& out, std::ostream& err);

} // namespace cli
