#pragma once

#include "tests/test_files.h"

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

inline ProcessOutcome runZebCalcProcess(const std::vector<std::string>& arguments,
                                        const std::map<std::string, std::string>& environment = {},
                                        const std::string& stdoutPath = {}) {
    return runProgramProcess(ZEB_CALC_PATH, arguments, environment, stdoutPath);
}

using zebtest::readFile;

} // namespace cli::fixtures
