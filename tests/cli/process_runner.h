#pragma once

#include <map>
#include <string>
#include <vector>

namespace cli::fixtures {

struct ProcessOutcome {
    int exitCode = -1;
    std::string out;
    std::string err;
};

// Runs zeb-calc with these arguments and exactly this environment (nothing inherited), and
// waits for it. Standard output goes to `stdoutPath` when one is given (then `out` is empty).
// The same for another program (a copy of zeb-calc elsewhere, say).
ProcessOutcome runProgramProcess(const std::string& program,
                                 const std::vector<std::string>& arguments,
                                 const std::map<std::string, std::string>& environment = {},
                                 const std::string& stdoutPath = {});

ProcessOutcome runZebCalcProcess(const std::vector<std::string>& arguments,
                                 const std::map<std::string, std::string>& environment = {},
                                 const std::string& stdoutPath = {});

std::string readFile(const std::string& path);

// The worked example's arguments (TR 100, A 50 km², tc 6 h, CN 75, the example station's
// constants) for a duration, followed by more.
inline std::vector<std::string> workedExampleArguments(const std::string& duration = "1 h",
                                                       const std::vector<std::string>& more = {}) {
    std::vector<std::string> arguments{"--duration",
                                       duration,
                                       "--return-period",
                                       "100",
                                       "--area",
                                       "50",
                                       "--tc",
                                       "6",
                                       "--cn",
                                       "75",
                                       "--station-constants",
                                       "0.2,25,20,-0.04,0.08,0.08,0.08"};
    arguments.insert(arguments.end(), more.begin(), more.end());
    return arguments;
}

} // namespace cli::fixtures
