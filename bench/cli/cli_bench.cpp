#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>
#include <vector>

namespace {

// One zeb-calc run from process start to exit: the worked example's 47-line report, written
// to /dev/null, and its notes on the fixed 15 steps (standard error) likewise.
void BM_ZebCalcReportProcess(benchmark::State& state) {
    std::vector<std::string> argv{ZEB_CALC_PATH,
                                  "--duration",
                                  "1 h",
                                  "--return-period",
                                  "100",
                                  "--area",
                                  "50",
                                  "--tc",
                                  "6",
                                  "--cn",
                                  "75",
                                  "--station-constants",
                                  "0.2,25,20,-0.04,0.08,0.08,0.08",
                                  "--format",
                                  "report",
                                  "--locale",
                                  "C"};
    std::vector<char*> argvPointers;
    for (std::string& argument : argv) {
        argvPointers.push_back(argument.data());
    }
    argvPointers.push_back(nullptr);
    std::string timestamp = "ZEB_REPORT_TIMESTAMP=2024-05-17 14:30:00";
    char* envp[] = {timestamp.data(), nullptr};

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);

    for (auto _ : state) {
        pid_t pid = 0;
        if (::posix_spawn(&pid, argv[0].c_str(), &actions, nullptr, argvPointers.data(), envp) !=
            0) {
            state.SkipWithError("cannot start zeb-calc");
            break;
        }
        int status = 0;
        ::waitpid(pid, &status, 0);
        if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
            state.SkipWithError("zeb-calc failed");
            break;
        }
    }
    posix_spawn_file_actions_destroy(&actions);
}
BENCHMARK(BM_ZebCalcReportProcess)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

BENCHMARK_MAIN();
