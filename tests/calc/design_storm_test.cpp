// The design storm's tables and stops, each against the values published for the method.
#include "calc/durations.h"
#include "tests/worked_example.h"

#include <gtest/gtest.h>

namespace calc {
namespace {

struct DurationRow {
    const char* label;
    double hours;
    double alpha;
    double beta; // of the station below: B5 0.01, B15 0.02, B30 0.03, Bm 0.04
};

TEST(DesignStorm, EachDurationTakesItsPublishedHoursAlphaAndBeta) {
    // clang-format off
    const DurationRow rows[] = {
        {"5 min", 0.083333333333, 0.108, 0.01}, {"15 min", 0.25, 0.122, 0.02},
        {"30 min", 0.5, 0.138, 0.03}, {"1 h", 1, 0.156, 0.04}, {"2 h", 2, 0.166, 0.04},
        {"4 h", 4, 0.174, 0.04}, {"8 h", 8, 0.176, 0.04}, {"14 h", 14, 0.174, 0.04},
        {"24 h", 24, 0.17, 0.04}, {"48 h", 48, 0.166, 0.04}, {"3 d", 72, 0.16, 0.04},
        {"4 d", 96, 0.156, 0.04}, {"6 d", 144, 0.152, 0.04}};
    // clang-format on
    for (std::int16_t index = 0; index < kDurationCount; ++index) {
        const DurationRow& row = rows[index];
        SCOPED_TRACE(row.label);
        EXPECT_EQ(durationIndexOfLabel(row.label), index);
        CalculationInputs inputs = zebtest::workedExampleInputs();
        inputs.durationIndex = index;
        inputs.station = StationCoefficients{0.2, 25, 20, 0.01, 0.02, 0.03, 0.04};
        const CalculationRecord r = zebtest::recordOf(inputs);
        EXPECT_EQ(r.unitDurationH, row.hours);
        EXPECT_EQ(r.timesH[15], 15 * row.hours);
        EXPECT_EQ(r.durationAlpha, row.alpha);
        EXPECT_EQ(r.durationBeta, row.beta);
    }
    EXPECT_EQ(durationIndexOfLabel("1h"), std::nullopt);
}

struct StopRow {
    std::int16_t durationIndex;
    double tc;
    int lastIncrement;
};

// Steps 1..6 always; then up to the first step whose preceding time passes tc strictly; never
// beyond 14.
TEST(DesignStorm, IncrementsStopOnceThePrecedingTimePassesTc) {
    // clang-format off
    const StopRow rows[] = {
        {3, 2, 6}, {3, -1, 6}, {3, 4.99, 6}, {3, 5, 7}, {3, 6, 8}, {3, 11.5, 13}, {3, 12, 14},
        {3, 1000, 14}, {0, 7 * 0.083333333333, 9}, {12, 700, 6}};
    // clang-format on
    for (const StopRow& row : rows) {
        SCOPED_TRACE(testing::Message() << "D index " << row.durationIndex << ", tc " << row.tc);
        CalculationInputs inputs = zebtest::workedExampleInputs();
        inputs.durationIndex = row.durationIndex;
        inputs.concentrationTimeH = row.tc;
        const CalculationRecord r = zebtest::recordOf(inputs);
        for (int i = 1; i <= kSteps; ++i) {
            EXPECT_EQ(r.incrementalRainfallMm[i].has_value(), i <= row.lastIncrement) << i;
        }
        // The six reordered blocks add up to R_6: the storm joins the reduced series there.
        EXPECT_NEAR(*r.cumulativeRainfallMm[6], *r.reducedRainfallMm[6], 1e-12);
    }
}

TEST(DesignStorm, AreasFromFiveKm2AreReducedByOneFactor) {
    const std::pair<double, double> rows[] = {{0, 1}, {4.9, 1}, {5, 1}, {50, 0.9}, {500, 0.8}};
    for (const auto& [area, factor] : rows) {
        CalculationInputs inputs = zebtest::workedExampleInputs();
        inputs.drainageAreaKm2 = area;
        const CalculationRecord r = zebtest::recordOf(inputs);
        for (int i = 1; i <= kSteps; ++i) {
            EXPECT_NEAR(*r.reducedRainfallMm[i], *r.pointRainfallMm[i] * factor, 1e-12)
                << "area " << area << " step " << i;
        }
    }
}

struct IdfRow {
    IdfEquation equation;
    std::int16_t durationIndex;
    double returnPeriodYears;
    int step;
    double rainfallMm; // worked by hand: k·TR^m / (60·t + t0)^n · t, t = step × D in hours
};

// The point rainfall of an IDF equation is its intensity at the step's time in minutes times
// that time in hours; TR plays its part.
TEST(DesignStorm, IdfEquationGivesIntensityTimesDuration) {
    // clang-format off
    const IdfRow rows[] = {
        {{897.79, 0.1463, 11.83, 0.758}, 3, 100, 1, 68.9755094692},
        {{897.79, 0.1463, 11.83, 0.758}, 0, 10, 1, 12.328826978},
        {{897.79, 0.1463, 11.83, 0.758}, 8, 2, 15, 185.277108135},
        {{1574.7, 0.207, 11, 0.884}, 1, 25, 3, 65.4989679227},
        {{1574.7, 0.207, 11, 0.884}, 4, 50, 6, 124.842628286},
        {{5950, 0.217, 26, 1.15}, 2, 5, 2, 50.2944702083},
        {{5950, 0.217, 26, 1.15}, 5, 1000, 12, 133.035716095}};
    // clang-format on
    for (const IdfRow& row : rows) {
        SCOPED_TRACE(testing::Message() << "k " << row.equation.k << ", D index "
                                        << row.durationIndex << ", step " << row.step);
        CalculationInputs inputs = zebtest::workedExampleInputs();
        inputs.mode = EquationMode::Idf;
        inputs.idfEquation = row.equation;
        inputs.durationIndex = row.durationIndex;
        inputs.returnPeriodYears = row.returnPeriodYears;
        const CalculationRecord r = zebtest::recordOf(inputs);
        EXPECT_NEAR(*r.pointRainfallMm[row.step], row.rainfallMm, row.rainfallMm * 1e-10);
        EXPECT_EQ(r.idfTimeOffsetMin, row.equation.t0Min);
        EXPECT_FALSE(r.frequencyFactorK || r.durationAlpha) << "K, a, b, c play no part";
    }
}

} // namespace
} // namespace calc
