// The published worked example, figure by figure, to the decimals it was published with.
#include "tests/worked_example.h"

#include <gtest/gtest.h>

#include <vector>

namespace calc {
namespace {

constexpr double k4 = 0.5e-4; // four published decimals

// Entries 1..n against the published values; entries after them empty when `restEmpty`.
void expectSeries(const Series& series, const std::vector<double>& expected, bool restEmpty) {
    for (std::size_t i = 1; i <= kSteps; ++i) {
        if (i <= expected.size()) {
            ASSERT_TRUE(series[i]) << "entry " << i;
            EXPECT_NEAR(*series[i], expected[i - 1], k4) << "entry " << i;
        } else if (restEmpty) {
            EXPECT_FALSE(series[i]) << "entry " << i;
        }
    }
    EXPECT_FALSE(series[0]);
}

TEST(WorkedExample, DesignStorm) {
    const CalculationRecord r = zebtest::workedExampleRecord();
    EXPECT_EQ(r.durationAlpha, 0.156);
    EXPECT_EQ(r.durationBeta, 0.08);
    EXPECT_EQ(r.returnPeriodExponent, 0.25);
    EXPECT_NEAR(*r.frequencyFactorK, 2.304605, 0.5e-6);
    EXPECT_NEAR(*r.pointRainfallMm[1], 76.6407, k4);
    EXPECT_NEAR(*r.pointRainfallMm[2], 93.8426, k4);
    EXPECT_NEAR(*r.pointRainfallMm[15], 149.7167, k4);
    EXPECT_NEAR(*r.reducedRainfallMm[1], 68.9767, k4);
    EXPECT_NEAR(*r.reducedRainfallMm[6], 110.4889, k4);
    // The stop comes after step 8, since t_7 = 7 h > tc = 6 h.
    expectSeries(r.incrementalRainfallMm,
                 {68.9767, 15.4816, 9.3620, 6.8009, 5.3843, 4.4835, 3.8597, 3.4019}, true);
    expectSeries(r.reorderedRainfallMm, {4.4835, 6.8009, 9.3620, 68.9767, 15.4816, 5.3843}, true);
    expectSeries(r.cumulativeRainfallMm,
                 {4.4835, 11.2843, 20.6463, 89.6230, 105.1046, 110.4889, 114.3486}, false);
    for (int i = 7; i <= kSteps; ++i) {
        EXPECT_EQ(r.cumulativeRainfallMm[i], r.reducedRainfallMm[i]) << "step " << i;
    }
}

TEST(WorkedExample, Runoff) {
    const CalculationRecord r = zebtest::workedExampleRecord();
    EXPECT_NEAR(*r.potentialRetentionMm, 84.6667, k4);
    EXPECT_NEAR(*r.riseTimeH, 4.1, 1e-12);
    EXPECT_NEAR(*r.baseTimeH, 10.947, 0.5e-3);
    EXPECT_NEAR(*r.recessionTimeH, 6.8333, k4);
    EXPECT_NEAR(*r.unitPeakFlow, 2.536585, 0.5e-6);
    const double u[] = {0.6187, 1.2374, 1.8560, 2.4747, 2.2076, 1.8364, 1.4652, 1.0939};
    for (int k = 1; k <= kSteps; ++k) {
        ASSERT_EQ(r.unitHydrograph[k].has_value(), k <= 8) << "u_" << k;
        if (k <= 8) {
            EXPECT_NEAR(*r.unitHydrograph[k], u[k - 1], k4) << "u_" << k;
            EXPECT_EQ(r.convolutionTable[0][k], static_cast<double>(*r.unitHydrograph[k]));
        }
    }
    EXPECT_NEAR(*r.effectiveRainfallMm[3], 0.1560, k4);
    EXPECT_NEAR(*r.effectiveRainfallMm[4], 33.5785, k4);
    EXPECT_NEAR(*r.effectiveRainfallMm[15], 68.5485, k4);
    EXPECT_NEAR(*r.incrementalEffectiveRainfallMm[5], 11.4011, k4);
    expectSeries(r.totalFlow,
                 {0, 0, 0.0965, 20.8708, 48.6987, 79.0826, 111.1887, 115.3301, 107.3951, 95.9897,
                  82.6512, 43.8286, 32.0160, 28.5215, 26.3188},
                 true);
    // Row j holds block j from column j on; beyond the eighth ordinate it adds nothing.
    for (int j = 0; j <= kSteps; ++j) {
        for (int i = 0; i <= kSteps; ++i) {
            EXPECT_EQ(r.convolutionTable[j][i].has_value(), j == 0 ? i >= 1 && i <= 8 : i >= j)
                << "row " << j << " column " << i;
        }
    }
    EXPECT_EQ(*r.convolutionTable[1][9], 0.0);
}

TEST(WorkedExample, AShorterRunHoldsNothingBeyondItsOwnSteps) {
    CalculationInputs own = zebtest::workedExampleInputs();
    own.mode = EquationMode::Own;
    own.frequencyFactorK = 2.3;
    own.concentrationTimeH = 2; // increments 1..6 only
    const CalculationRecord record = zebtest::recordOf(own);
    for (int i = 7; i <= kSteps; ++i) {
        EXPECT_FALSE(record.incrementalRainfallMm[i]) << "entry " << i;
    }
    EXPECT_FALSE(record.durationAlpha) << "the terms of K belong to mode Automatic";
    EXPECT_EQ(record.frequencyFactorK, 2.3);
    EXPECT_EQ(record.concentrationTimeH, 2.0);
}

// The worked example's basin with the IDF equation k 897.79, m 0.1463, t0 11.83 min, n 0.758:
// the flood worked by hand from the method's formulas.
TEST(WorkedExample, IdfEquation) {
    RunRequest request = zebtest::workedExampleRequest();
    request.mode = EquationMode::Idf;
    request.idfEquation = {897.79, 0.1463, 11.83, 0.758};
    const CalculationRecord r = *runRequest(request);
    const double flows[] = {0,           0,           0.2280056136, 18.9029794,  44.84498603,
                            73.62133207, 104.1976462, 110.240814,   104.5284065, 95.15286104,
                            83.49473611, 48.99674295, 37.12415407,  33.43634924, 31.04303499};
    for (int i = 1; i <= kSteps; ++i) {
        EXPECT_NEAR(*r.totalFlow[i], flows[i - 1], 1e-6) << "step " << i;
    }
}

} // namespace
} // namespace calc
