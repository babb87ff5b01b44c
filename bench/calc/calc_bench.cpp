#include "calc/calculation.h"

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
        calc::CalculationResult result = calc::computeCalculationRecord(inputs);
        benchmark::DoNotOptimize(result);
    }
}
BENCHMARK(BM_CalculationRun);

// The longest run: increments up to step 14.
void BM_CalculationRunLongStorm(benchmark::State& state) {
    calc::CalculationInputs inputs = workedExample();
    inputs.concentrationTimeH = 100;
    for (auto _ : state) {
        calc::CalculationResult result = calc::computeCalculationRecord(inputs);
        benchmark::DoNotOptimize(result);
    }
}
BENCHMARK(BM_CalculationRunLongStorm);

} // namespace

BENCHMARK_MAIN();
