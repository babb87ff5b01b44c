#include "calc/calculation.h"
#include "calc/study.h"

#include <benchmark/benchmark.h>

namespace {

calc::CalculationInputs workedExample() {
    calc::CalculationInputs inputs;
    inputs.durationIndex = 3; // "1 h"
    inputs.curveNumber = 75;
    inputs.drainageAreaKm2 = 50;
    inputs.returnPeriodYears = 100;
    inputs.concentrationTimeH = 6;
    inputs.station = calc::StationCoefficients{0.2, 25, 20, -0.04, 0.08, 0.08, 0.08};
    return inputs;
}

// One complete run, as "&Calcular" and zeb-calc do it.
void BM_CalculationRun(benchmark::State& state) {
    const calc::CalculationInputs inputs = workedExample();
    for (auto _ : state) {
        auto result = calc::computeCalculationRecord(inputs);
        benchmark::DoNotOptimize(result);
    }
}
BENCHMARK(BM_CalculationRun);

// The longest run: increments up to step 14.
void BM_CalculationRunLongStorm(benchmark::State& state) {
    calc::CalculationInputs inputs = workedExample();
    inputs.concentrationTimeH = 100;
    for (auto _ : state) {
        auto result = calc::computeCalculationRecord(inputs);
        benchmark::DoNotOptimize(result);
    }
}
BENCHMARK(BM_CalculationRunLongStorm);

// The whole default study: 13 durations by 9 return periods, 117 runs.
void BM_DefaultStudy(benchmark::State& state) {
    calc::RunRequest basin;
    basin.curveNumber = 75;
    basin.drainageAreaKm2 = 50;
    basin.concentrationTimeH = 6;
    basin.station = calc::StationCoefficients{0.2, 25, 20, -0.04, 0.08, 0.08, 0.08};
    const int durations[] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12};
    const double returnPeriods[] = {2, 5, 10, 25, 50, 100, 500, 1000, 10000};
    for (auto _ : state) {
        auto cells = calc::computeStudy(basin, durations, returnPeriods);
        benchmark::DoNotOptimize(cells);
    }
}
BENCHMARK(BM_DefaultStudy)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
