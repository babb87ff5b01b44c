// Reading 100,000 stations and finding one by name, in the Access file itself and in its
// SQLite conversion, with mdbtools' mdb-sql finding the same row as the yardstick. Nothing
// is cached between lookups: each reads the file again, as the program does.

#include "refdata/database_builder.h"
#include "refdata/open_database.h"

#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

extern char** environ;

namespace {

namespace fs = std::filesystem;

// The answer of a database call; a failure ends the run with its message.
template <typename T> T answer(util::Result<T> result) {
    if (!result) {
        std::fprintf(stderr, "%s\n", result.failure().message.c_str());
        std::exit(1);
    }
    return std::move(*result);
}

const fs::path kLarge = ZEB_LARGE_DATABASE;
const std::string kLastStation = "Posto sintético 100000";
const std::string kMiddleStation = "Posto sintético 050000";

bool largeFileMissing(benchmark::State& state) {
    if (fs::exists(kLarge)) {
        return false;
    }
    state.SkipWithError(("large-100k.mdb não encontrado em " + kLarge.string()).c_str());
    return true;
}

const fs::path kLargeSqlite =
    fs::temp_directory_path() / ("zeb-bench-" + std::to_string(getpid()) + ".sqlite");

// The SQLite conversion of the large file, made once per run.
const fs::path& largeSqlite() {
    if (!fs::exists(kLargeSqlite)) {
        if (const auto error = refdata::convertAccessToSqlite(kLargeSqlite, kLarge)) {
            std::fprintf(stderr, "%s\n", error->message.c_str());
            std::exit(1);
        }
    }
    return kLargeSqlite;
}

const fs::path& pathFor(benchmark::State& state) {
    return state.range(0) == 0 ? kLarge : largeSqlite();
}

void setLabel(benchmark::State& state) {
    state.SetLabel(state.range(0) == 0 ? "Access" : "SQLite");
}

// Opening the file and reading every station, as the window's load does.
void BM_OpenAndListAllStations(benchmark::State& state) {
    if (largeFileMissing(state)) {
        return;
    }
    const auto& file = pathFor(state);
    for (auto _ : state) {
        const auto db = answer(refdata::openReferenceDatabase(file));
        const auto stations = answer(db->allStations());
        if (stations.size() != 100000) {
            state.SkipWithError("unexpected row count");
        }
        benchmark::DoNotOptimize(stations.data());
    }
    setLabel(state);
}
BENCHMARK(BM_OpenAndListAllStations)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// One station pick with the database already open: the last row, the worst case of a scan.
void BM_FindStationByName(benchmark::State& state) {
    if (largeFileMissing(state)) {
        return;
    }
    const auto db = answer(refdata::openReferenceDatabase(pathFor(state)));
    const auto& name = state.range(1) == 0 ? kLastStation : kMiddleStation;
    for (auto _ : state) {
        const auto station = answer(db->findStationByName(name));
        if (!station) {
            state.SkipWithError("station not found");
        }
        benchmark::DoNotOptimize(station->coefficients()->a);
    }
    setLabel(state);
}
BENCHMARK(BM_FindStationByName)
    ->Args({0, 0})
    ->Args({0, 1})
    ->Args({1, 0})
    ->Args({1, 1})
    ->Unit(benchmark::kMillisecond);

// The same lookup opening the file every time, to compare with a process that must.
void BM_OpenAndFindStationByName(benchmark::State& state) {
    if (largeFileMissing(state)) {
        return;
    }
    const auto& file = pathFor(state);
    for (auto _ : state) {
        const auto station =
            answer(answer(refdata::openReferenceDatabase(file))->findStationByName(kLastStation));
        benchmark::DoNotOptimize(station->coefficients()->a);
    }
    setLabel(state);
}
BENCHMARK(BM_OpenAndFindStationByName)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// mdbtools' mdb-sql finding the same (last) row, started as a process and waited for.
void BM_MdbSqlFindsTheSameRow(benchmark::State& state) {
    if (largeFileMissing(state)) {
        return;
    }
    const auto query =
        fs::temp_directory_path() / ("zeb-bench-" + std::to_string(getpid()) + ".sql");
    std::ofstream(query) << "select * from zeb where nome = '" << kLastStation << "'\n";
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    const std::string queryPath = query.string();
    const std::string largePath = kLarge.string();
    std::vector<char*> argv = {const_cast<char*>("mdb-sql"),
                               const_cast<char*>("-P"),
                               const_cast<char*>("-H"),
                               const_cast<char*>("-F"),
                               const_cast<char*>("-i"),
                               const_cast<char*>(queryPath.c_str()),
                               const_cast<char*>(largePath.c_str()),
                               nullptr};
    // The process's own CPU time does not show in this benchmark's CPU column: it is reported
    // as a counter, to compare with the lookups' CPU time when the machine is busy.
    const auto childCpuSeconds = [] {
        rusage usage{};
        getrusage(RUSAGE_CHILDREN, &usage);
        return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
               static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) * 1e-6;
    };
    const double cpuBefore = childCpuSeconds();
    for (auto _ : state) {
        pid_t pid = 0;
        if (posix_spawnp(&pid, "mdb-sql", &actions, nullptr, argv.data(), environ) != 0) {
            state.SkipWithError("mdb-sql could not be started (package mdbtools)");
            break;
        }
        int status = 0;
        waitpid(pid, &status, 0);
        if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
            state.SkipWithError("mdb-sql failed");
            break;
        }
    }
    state.counters["mdb_sql_cpu_ms"] =
        1e3 * (childCpuSeconds() - cpuBefore) / static_cast<double>(state.iterations());
    posix_spawn_file_actions_destroy(&actions);
    fs::remove(query);
}
BENCHMARK(BM_MdbSqlFindsTheSameRow)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::error_code ignored;
    fs::remove(kLargeSqlite, ignored);
    return 0;
}
