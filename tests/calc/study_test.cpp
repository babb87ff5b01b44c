#include "calc/study.h"

#include "tests/worked_example.h"

#include <gtest/gtest.h>

#include <array>

namespace {

TEST(Study, PeakTimeIsTheFirstOfEqualFlows) {
    calc::CalculationRecord record;
    const std::array<double, 15> flows = {0, 1, 7, 3, 7, 2, 1, 0, 0, 0, 0, 0, 0, 0, 0};
    for (int step = 1; step <= calc::kSteps; ++step) {
        record.timesH[step] = 0.5 * step;
        record.totalFlow[step] = flows[step - 1];
    }
    const calc::RunSummary summary = calc::summarizeRun(record);
    EXPECT_EQ(summary.peakFlowM3s, 7);
    EXPECT_EQ(summary.peakTimeH, 1.5);
}

// Each cell is the single run with that duration and return period, to the last bit, in the
// order durations first; a run that cannot be computed gives its reason in its own cell. The
// worked example's cell (1 h, TR 100) is its printed report: peak 115.33 m³/s at 8 h, 68.55 mm
// of effective rainfall at step 15, 26.32 m³/s still flowing, a base time of 10.95 h. The same
// holds for an IDF equation.
TEST(Study, CellsAreTheSingleRunsInOrder) {
    calc::RunRequest station = zebtest::workedExampleRequest();
    station.station->B5.reset(); // "5 min" needs B5: that cell fails, the others compute
    calc::RunRequest idf = zebtest::workedExampleRequest();
    idf.mode = calc::EquationMode::Idf;
    idf.idfEquation = {897.79, 0.1463, 11.83, 0.758};
    const int durations[] = {8, 0, 3};
    const double returnPeriods[] = {1000, 100};
    for (const calc::RunRequest& basin : {idf, station}) {
        const auto cells = calc::computeStudy(basin, durations, returnPeriods);
        ASSERT_EQ(cells.size(), 6u);
        for (std::size_t i = 0; i < cells.size(); ++i) {
            calc::RunRequest single = basin;
            single.durationIndex = durations[i / 2];
            single.returnPeriodYears = returnPeriods[i % 2];
            EXPECT_EQ(cells[i].durationIndex, durations[i / 2]);
            EXPECT_EQ(cells[i].returnPeriodYears, returnPeriods[i % 2]);
            const auto run = calc::runRequest(single);
            if (run) {
                const auto expected = calc::summarizeRun(*run);
                const calc::RunSummary& actual = *cells[i].outcome;
                EXPECT_EQ(actual.peakFlowM3s, expected.peakFlowM3s);
                EXPECT_EQ(actual.peakTimeH, expected.peakTimeH);
                EXPECT_EQ(actual.effectiveRainfallMm, expected.effectiveRainfallMm);
            } else {
                EXPECT_EQ(cells[i].outcome.failure(), run.failure());
            }
        }
    }
    const auto cells = calc::computeStudy(station, durations, returnPeriods);
    EXPECT_FALSE(cells[2].outcome);
    const calc::RunSummary& summary = *cells[5].outcome;
    EXPECT_NEAR(summary.peakFlowM3s, 115.33, 0.005);
    EXPECT_DOUBLE_EQ(summary.peakTimeH, 8);
    EXPECT_NEAR(summary.effectiveRainfallMm, 68.55, 0.005);
    EXPECT_TRUE(summary.floodNotReceded && summary.unitHydrographCut);
}

} // namespace
