#include "calc/calculation.h"
#include "report/report_file.h"
#include "report/report_lines.h"

#include <benchmark/benchmark.h>

namespace {

calc::CalculationRecord workedExampleRecord() {
    calc::CalculationInputs inputs;
    inputs.mode = calc::EquationMode::Automatic;
    inputs.durationIndex = 3;
    inputs.returnPeriodYears = 100;
    inputs.drainageAreaKm2 = 50;
    inputs.concentrationTimeH = 6;
    inputs.curveNumber = 75;
    inputs.station = calc::StationCoefficients{0.2, 25, 20, -0.04, 0.08, 0.08, 0.08};
    calc::CalculationRecord record = *calc::computeCalculationRecord(inputs);
    record.concentrationTimeH = inputs.concentrationTimeH;
    return record;
}

// The report lines of the worked example, as the export and the printout compose them.
void composeWorkedExample(benchmark::State& state) {
    const calc::CalculationRecord record = workedExampleRecord();
    const report::NumberStyle style{",", "."};
    for (auto _ : state) {
        auto lines =
            report::composeReportLines(record, calc::EquationMode::Automatic, "Córrego do Exemplo",
                                       "Posto Ilustrativo", "2024-05-17 14:03:09", style);
        benchmark::DoNotOptimize(lines);
    }
}
BENCHMARK(composeWorkedExample)->Unit(benchmark::kMicrosecond);

// The file's bytes from the composed lines.
void encodeWorkedExample(benchmark::State& state) {
    const auto lines = report::composeReportLines(
        workedExampleRecord(), calc::EquationMode::Automatic, "Córrego do Exemplo",
        "Posto Ilustrativo", "2024-05-17 14:03:09", report::NumberStyle{});
    for (auto _ : state) {
        auto bytes = report::reportFileBytes(lines);
        benchmark::DoNotOptimize(bytes);
    }
}
BENCHMARK(encodeWorkedExample)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
