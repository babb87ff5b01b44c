#pragma once

#include "cli/chart_output.h"

#include <filesystem>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace cli {

// What zeb-calc reads from its environment, gathered once by main.
struct ProcessEnvironment {
    std::string lcAll, lcNumeric, lang;
    // ZEB_REPORT_TIMESTAMP: fixes the report's date and time, for reproducible output.
    std::optional<std::string> reportTimestamp;
    // Where the program lies: the reference database is looked for from here.
    std::optional<std::filesystem::path> programFolder;
};

ProcessEnvironment readProcessEnvironment();

// Runs zeb-calc over the arguments after the program name and returns its exit status.
// Results go to `out` (or to --output), messages to `err`; nothing reaches `out` unless the
// whole result does. The chart formats draw with `renderChart`; without it they are refused.
int runZebCalc(const std::vector<std::string>& arguments, const ProcessEnvironment& environment,
               std::ostream& out, std::ostream& err, const ChartRenderer& renderChart = {});

} // namespace cli
