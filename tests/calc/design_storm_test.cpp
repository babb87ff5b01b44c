#include "calc/durations.h"
#include "tests/calc/case_name.h"
#include "tests/calc/worked_example.h"

#include <gtest/gtest.h>

namespace calc {
namespace {

using fixtures::runOrFail;
using fixtures::workedExampleInputs;

int lastIncrement(const CalculationRecord& r) {
    int last = 0;
    for (int i = 1; i <= kSteps; ++i) {
        if (r.incrementalRainfallMm[i]) {
            EXPECT_EQ(last, i - 1) << "increments must be contiguous from step 1";
            last = i;
        }
    }
    return last;
}

struct StopCase {
    // Shown by name in test listings.
    friend void PrintTo(const StopCase& row, std::ostream* out) { *out << row.name; }
    const char* name;
    int durationIndex;
    double concentrationTimeH;
    int expectedLast;
};

class IncrementStop : public ::testing::TestWithParam<StopCase> {};

TEST_P(IncrementStop, StopsAfterThePrecedingTimePassesTc) {
    CalculationInputs inputs = workedExampleInputs();
    inputs.durationIndex = static_cast<std::int16_t>(GetParam().durationIndex);
    inputs.concentrationTimeH = GetParam().concentrationTimeH;
    const CalculationRecord r = runOrFail(inputs);
    EXPECT_EQ(lastIncrement(r), GetParam().expectedLast);
    EXPECT_FALSE(r.incrementalRainfallMm[15].has_value());
    // The six reordered blocks add up to R_6, so the storm joins the reduced series there.
    EXPECT_NEAR(*r.cumulativeRainfallMm[6], *r.reducedRainfallMm[6], 1e-12);
}

// D = 1 h unless the duration says otherwise; the comparison with tc is strict.
INSTANTIATE_TEST_SUITE_P(
    Cases, IncrementStop,
    ::testing::Values(
        StopCase{"TcBelowFiveSteps", 3, 2, 6}, StopCase{"TcJustBelowFiveSteps", 3, 4.99, 6},
        StopCase{"NegativeTc", 3, -1, 6}, StopCase{"TcExactlyAtFiveSteps", 3, 5, 7},
        StopCase{"TcExactlyAtSixSteps", 3, 6, 8}, StopCase{"TcBetweenSteps", 3, 11.5, 13},
        StopCase{"TcExactlyAtTwelveSteps", 3, 12, 14}, StopCase{"TcFarBeyond", 3, 1000, 14},
        StopCase{"FiveMinutesTcExactlyAtSevenSteps", 0, 7 * 0.083333333333, 9},
        StopCase{"SixDaysTcBelowFiveSteps", 12, 700, 6}),
    fixtures::CaseName());

struct ReductionCase {
    // Shown by name in test listings.
    friend void PrintTo(const ReductionCase& row, std::ostream* out) { *out << row.name; }
    const char* name;
    double areaKm2;
    double factor;
    bool exact; // R equals P to the bit
};

class ArealReduction : public ::testing::TestWithParam<ReductionCase> {};

TEST_P(ArealReduction, ReducesEveryStepByOneFactor) {
    CalculationInputs inputs = workedExampleInputs();
    inputs.drainageAreaKm2 = GetParam().areaKm2;
    const CalculationRecord r = runOrFail(inputs);
    for (int i = 1; i <= kSteps; ++i) {
        if (GetParam().exact) {
            EXPECT_EQ(*r.reducedRainfallMm[i], *r.pointRainfallMm[i]) << "step " << i;
        } else {
            EXPECT_NEAR(*r.reducedRainfallMm[i] / *r.pointRainfallMm[i], GetParam().factor, 1e-15)
                << "step " << i;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, ArealReduction,
                         ::testing::Values(ReductionCase{"BelowThreshold", 4.9, 1, true},
                                           ReductionCase{"AtThreshold", 5, 1, true},
                                           ReductionCase{"Fifty", 50, 0.9, false},
                                           ReductionCase{"FiveHundred", 500, 0.8, false},
                                           ReductionCase{"ZeroArea", 0, 1, true}),
                         fixtures::CaseName());

class BetaTermByDuration : public ::testing::TestWithParam<int> {};

TEST_P(BetaTermByDuration, ShortDurationsTakeTheirOwnTerm) {
    const int index = GetParam();
    CalculationInputs inputs = workedExampleInputs();
    inputs.durationIndex = static_cast<std::int16_t>(index);
    inputs.station = StationCoefficients{0.2, 25, 20, 0.01, 0.02, 0.03, 0.04};
    const CalculationRecord r = runOrFail(inputs);
    const double expectedBeta = index == 0 ? 0.01 : index == 1 ? 0.02 : index == 2 ? 0.03 : 0.04;
    EXPECT_EQ(r.durationBeta, expectedBeta);
    EXPECT_EQ(r.durationAlpha, durationAlphaTable[static_cast<std::size_t>(index)]);
    EXPECT_EQ(r.unitDurationH, durationHours[static_cast<std::size_t>(index)]);
}

INSTANTIATE_TEST_SUITE_P(AllDurations, BetaTermByDuration, ::testing::Range(0, kDurationCount));

TEST(Durations, TablesAndLabels) {
    EXPECT_EQ(durationHours[0], 0.083333333333);
    EXPECT_EQ(durationHours[12], 144);
    EXPECT_EQ(durationAlphaTable[0], 0.108);
    EXPECT_EQ(durationAlphaTable[12], 0.152);
    EXPECT_EQ(durationIndexOfLabel("5 min"), 0);
    EXPECT_EQ(durationIndexOfLabel("1 h"), 3);
    EXPECT_EQ(durationIndexOfLabel("6 d"), 12);
    EXPECT_EQ(durationIndexOfLabel("1h"), std::nullopt);
    EXPECT_EQ(durationIndexOfLabel(" 1 h"), std::nullopt);
    EXPECT_EQ(durationIndexOfLabel(""), std::nullopt);
}

TEST(Durations, TimesAreMultiplesOfTheUnitDuration) {
    CalculationInputs inputs = workedExampleInputs();
    inputs.durationIndex = 0;
    const CalculationRecord fiveMinutes = runOrFail(inputs);
    EXPECT_EQ(*fiveMinutes.timesH[1], 0.083333333333);
    EXPECT_EQ(*fiveMinutes.timesH[2], 0.166666666666);
    EXPECT_DOUBLE_EQ(*fiveMinutes.timesH[15], 1.249999999995);

    inputs.durationIndex = 12;
    const CalculationRecord sixDays = runOrFail(inputs);
    EXPECT_EQ(*sixDays.timesH[1], 144);
    EXPECT_EQ(*sixDays.timesH[15], 2160);
}

TEST(OwnMode, TypedConstantsAndNoTermsOfK) {
    CalculationInputs inputs = workedExampleInputs();
    inputs.mode = EquationMode::Own;
    inputs.station.reset(); // no station is needed
    inputs.frequencyFactorK = 2.304605;
    inputs.idfCoefficientA = 0.2;
    inputs.idfCoefficientB = 25;
    inputs.idfCoefficientC = 20;
    inputs.returnPeriodYears = 0; // reported only
    const CalculationRecord r = runOrFail(inputs);
    EXPECT_EQ(r.frequencyFactorK, 2.304605);
    EXPECT_EQ(r.idfCoefficientC, 20);
    EXPECT_EQ(r.returnPeriodYears, 0.0);
    EXPECT_FALSE(r.durationAlpha.has_value());
    EXPECT_FALSE(r.durationBeta.has_value());
    EXPECT_FALSE(r.returnPeriodExponent.has_value());
    EXPECT_NEAR(*r.totalFlow[8], 115.3301, 1e-3);

    inputs.returnPeriodYears = -50; // plays no part in mode Own
    const CalculationRecord other = runOrFail(inputs);
    EXPECT_EQ(other.totalFlow, r.totalFlow);
}

} // namespace
} // namespace calc
