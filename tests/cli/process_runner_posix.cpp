#include "tests/cli/process_runner.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <sys/wait.h>
#include <unistd.h>

namespace cli::fixtures {

namespace {

std::string temporaryPath(const char* role) {
    static int counter = 0;
    return ::testing::TempDir() + "zeb-calc-" + std::to_string(::getpid()) + "-" +
           std::to_string(counter++) + "." + role;
}

// The text as one word of the shell, whatever it holds.
std::string quoted(const std::string& text) {
    std::string word = "'";
    for (const char c : text) {
        word += c == '\'' ? std::string("'\\''") : std::string(1, c);
    }
    return word + "'";
}

} // namespace

ProcessOutcome runProgramProcess(const std::string& program,
                                 const std::vector<std::string>& arguments,
                                 const std::map<std::string, std::string>& environment,
                                 const std::string& stdoutPath) {
    const std::string outPath = stdoutPath.empty() ? temporaryPath("out") : stdoutPath;
    const std::string errPath = temporaryPath("err");
    // env -i: the program sees exactly the environment given.
    std::string command = "exec env -i";
    for (const auto& [name, value] : environment) {
        command += " " + quoted(name + "=" + value);
    }
    command += " " + quoted(program);
    for (const std::string& word : arguments) {
        command += " " + quoted(word);
    }
    ProcessOutcome outcome;
    const int status = std::system(
        (command + " < /dev/null > " + quoted(outPath) + " 2> " + quoted(errPath)).c_str());
    outcome.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    if (stdoutPath.empty()) {
        outcome.out = readFile(outPath);
        std::remove(outPath.c_str());
    }
    outcome.err = readFile(errPath);
    std::remove(errPath.c_str());
    return outcome;
}

} // namespace cli::fixtures
