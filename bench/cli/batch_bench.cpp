#include "cli/batch.h"

#include <benchmark/benchmark.h>

#include <sstream>
#include <string>

namespace {

class NoStations : public cli::BatchStations {
public:
    Answer byName(const std::string&) override { return none(); }
    Answer byCode(const std::string&) override { return none(); }

private:
    static util::Failure none() { return {util::Failure::Kind::InvalidInput, "sem postos"}; }
};

// Basins with the seven station constants, the thirteen durations in turn: rows per second
// for 1 and 2 threads, reading, computing and writing included.
void BM_BatchRows(benchmark::State& state) {
    const char* durations[] = {"5 min", "15 min", "30 min", "1 h", "2 h", "4 h", "8 h",
                               "14 h",  "24 h",   "48 h",   "3 d", "4 d", "6 d"};
    std::string csv = "id,duration,cn,area,tc,return-period,a,b,c,B5,B15,B30,Bm\n";
    const int rows = 100000;
    for (int i = 0; i < rows; ++i) {
        csv += "b" + std::to_string(i) + "," + durations[i % 13] + "," +
               std::to_string(50 + i % 45) + ",50," + std::to_string(1 + i % 20) +
               ",100,0.2,25,20,-0.04,0.08,0.08,0.08\n";
    }
    NoStations stations;
    for (auto _ : state) {
        std::istringstream in(csv);
        std::ostringstream out;
        const auto outcome = cli::runBatch(in, out, stations, static_cast<int>(state.range(0)));
        benchmark::DoNotOptimize(outcome);
    }
    state.SetItemsProcessed(state.iterations() * rows);
}
BENCHMARK(BM_BatchRows)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
