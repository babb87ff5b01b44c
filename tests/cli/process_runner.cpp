#include "tests/cli/process_runner.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fcntl.h>
#include <fstream>
#include <iterator>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

namespace cli::fixtures {

namespace {

std::string temporaryPath(const char* role) {
    static int counter = 0;
    return ::testing::TempDir() + "zeb-calc-" + std::to_string(::getpid()) + "-" +
           std::to_string(counter++) + "." + role;
}

} // namespace

std::string readFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

ProcessOutcome runZebCalcProcess(const std::vector<std::string>& arguments,
                                 const std::map<std::string, std::string>& environment,
                                 const std::string& stdoutPath) {
    return runProgramProcess(ZEB_CALC_PATH, arguments, environment, stdoutPath);
}

ProcessOutcome runProgramProcess(const std::string& program,
                                 const std::vector<std::string>& arguments,
                                 const std::map<std::string, std::string>& environment,
                                 const std::string& stdoutPath) {
    const std::string outPath = stdoutPath.empty() ? temporaryPath("out") : stdoutPath;
    const std::string errPath = temporaryPath("err");

    std::vector<std::string> argv{program};
    argv.insert(argv.end(), arguments.begin(), arguments.end());
    std::vector<char*> argvPointers;
    for (std::string& argument : argv) {
        argvPointers.push_back(argument.data());
    }
    argvPointers.push_back(nullptr);

    std::vector<std::string> envp;
    for (const auto& [name, value] : environment) {
        envp.push_back(name + "=" + value);
    }
    std::vector<char*> envpPointers;
    for (std::string& entry : envp) {
        envpPointers.push_back(entry.data());
    }
    envpPointers.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, outPath.c_str(),
                                     O_WRONLY | O_CREAT | O_TRUNC, 0600);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, errPath.c_str(),
                                     O_WRONLY | O_CREAT | O_TRUNC, 0600);

    ProcessOutcome outcome;
    pid_t pid = 0;
    const int spawned = ::posix_spawn(&pid, argv[0].c_str(), &actions, nullptr, argvPointers.data(),
                                      envpPointers.data());
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0) {
        ADD_FAILURE() << "cannot start " << argv[0];
        return outcome;
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
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
