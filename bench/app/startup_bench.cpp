// Time from starting the program to its main window shown: zeb-startup-probe starts as zeb
// does, hands the splash over at once with a key press and quits after the main window's
// first paint. Runs offscreen unless QT_QPA_PLATFORM says otherwise.

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <vector>

extern char** environ;

namespace {

std::vector<std::string> probeEnvironment() {
    std::vector<std::string> env;
    for (char** e = environ; *e != nullptr; ++e) {
        env.emplace_back(*e);
    }
    if (std::getenv("QT_QPA_PLATFORM") == nullptr) {
        env.emplace_back("QT_QPA_PLATFORM=offscreen");
    }
    return env;
}

void BM_StartToMainWindowShown(benchmark::State& state) {
    std::vector<std::string> envText = probeEnvironment();
    std::vector<char*> env;
    for (std::string& e : envText) {
        env.push_back(e.data());
    }
    env.push_back(nullptr);
    std::string program = ZEB_PROGRAM;
    char* argv[] = {program.data(), nullptr};

    for (auto _ : state) {
        pid_t pid = 0;
        if (posix_spawn(&pid, program.c_str(), nullptr, nullptr, argv, env.data()) != 0) {
            state.SkipWithError("cannot start zeb-startup-probe");
            return;
        }
        int status = 0;
        waitpid(pid, &status, 0);
        if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
            state.SkipWithError("the program did not show its main window and end normally");
            return;
        }
    }
}
BENCHMARK(BM_StartToMainWindowShown)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(20);

} // namespace

BENCHMARK_MAIN();
