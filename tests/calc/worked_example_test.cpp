#include "tests/calc/worked_example.h"

#include <gtest/gtest.h>

#include <vector>

namespace calc {
namespace {

using fixtures::runOrFail;
using fixtures::workedExampleInputs;

// Checks entries 1..n of a series against published values given to `decimals` places, and
// that every entry after them is empty when `restEmpty`.
void expectSeries(const Series& series, const std::vector<double>& expected, double tolerance,
                  bool restEmpty, const char* name) {
    for (std::size_t i = 0; i < expected.size(); ++i) {
        ASSERT_TRUE(series[i + 1].has_value()) << name << " entry " << i + 1;
        EXPECT_NEAR(*series[i + 1], expected[i], tolerance) << name << " entry " << i + 1;
    }
    if (restEmpty) {
        for (std::size_t i = expected.size() + 1; i <= kSteps; ++i) {
            EXPECT_FALSE(series[i].has_value()) << name << " entry " << i << " should be empty";
        }
    }
    EXPECT_FALSE(series[0].has_value()) << name << " entry 0 is never filled";
}

constexpr double k4 = 0.5e-4; // values published with four decimals

TEST(WorkedExample, DesignStormMatchesThePublishedFigures) {
    const CalculationRecord r = runOrFail(workedExampleInputs());
    EXPECT_EQ(r.durationAlpha, 0.156);
    EXPECT_EQ(r.durationBeta, 0.08);
    EXPECT_EQ(r.returnPeriodExponent, 0.25);
    EXPECT_NEAR(*r.frequencyFactorK, 2.304605, 0.5e-6);
    EXPECT_EQ(r.idfCoefficientA, 0.2);
    EXPECT_EQ(r.idfCoefficientB, 25);
    EXPECT_EQ(r.idfCoefficientC, 20);

    EXPECT_NEAR(*r.pointRainfallMm[1], 76.6407, k4);
    EXPECT_NEAR(*r.pointRainfallMm[2], 93.8426, k4);
    EXPECT_NEAR(*r.pointRainfallMm[15], 149.7167, k4);
    EXPECT_NEAR(*r.reducedRainfallMm[1], 68.9767, k4);
    EXPECT_NEAR(*r.reducedRainfallMm[6], 110.4889, k4);

    // The stop comes after step 8, since t_7 = 7 h > tc = 6 h.
    expectSeries(r.incrementalRainfallMm,
                 {68.9767, 15.4816, 9.3620, 6.8009, 5.3843, 4.4835, 3.8597, 3.4019}, k4, true,
                 "incrementalRainfallMm");
    expectSeries(r.reorderedRainfallMm, {4.4835, 6.8009, 9.3620, 68.9767, 15.4816, 5.3843}, k4,
                 true, "reorderedRainfallMm");
    expectSeries(r.cumulativeRainfallMm,
                 {4.4835, 11.2843, 20.6463, 89.6230, 105.1046, 110.4889, 114.3486}, k4, false,
                 "cumulativeRainfallMm");
    for (int i = 7; i <= kSteps; ++i) {
        EXPECT_EQ(r.cumulativeRainfallMm[i], r.reducedRainfallMm[i]) << "step " << i;
    }
}

TEST(WorkedExample, RunoffMatchesThePublishedFigures) {
    const CalculationRecord r = runOrFail(workedExampleInputs());
    EXPECT_NEAR(*r.potentialRetentionMm, 84.6667, k4);
    EXPECT_NEAR(*r.riseTimeH, 4.1, 1e-12);
    EXPECT_NEAR(*r.baseTimeH, 10.947, 0.5e-3);
    EXPECT_NEAR(*r.recessionTimeH, 6.8333, k4);
    EXPECT_NEAR(*r.unitPeakFlow, 2.536585, 0.5e-6);

    const double u[] = {0.6187, 1.2374, 1.8560, 2.4747, 2.2076, 1.8364, 1.4652, 1.0939};
    for (int k = 1; k <= kUnitHydrographSize; ++k) {
        ASSERT_TRUE(r.unitHydrograph[k].has_value());
        EXPECT_NEAR(*r.unitHydrograph[k], u[k - 1], k4) << "u_" << k;
        EXPECT_EQ(r.convolutionTable[0][k], static_cast<double>(*r.unitHydrograph[k]));
    }
    for (int k = kUnitHydrographSize + 1; k <= kSteps; ++k) {
        EXPECT_FALSE(r.unitHydrograph[k].has_value()) << "u_" << k;
        EXPECT_FALSE(r.convolutionTable[0][k].has_value());
    }

    EXPECT_NEAR(*r.effectiveRainfallMm[1], 0, k4);
    EXPECT_NEAR(*r.effectiveRainfallMm[2], 0, k4);
    EXPECT_NEAR(*r.effectiveRainfallMm[3], 0.1560, k4);
    EXPECT_NEAR(*r.effectiveRainfallMm[4], 33.5785, k4);
    EXPECT_NEAR(*r.effectiveRainfallMm[15], 68.5485, k4);
    EXPECT_NEAR(*r.incrementalEffectiveRainfallMm[3], 0.1560, k4);
    EXPECT_NEAR(*r.incrementalEffectiveRainfallMm[4], 33.4225, k4);
    EXPECT_NEAR(*r.incrementalEffectiveRainfallMm[5], 11.4011, k4);

    expectSeries(r.totalFlow,
                 {0, 0, 0.0965, 20.8708, 48.6987, 79.0826, 111.1887, 115.3301, 107.3951, 95.9897,
                  82.6512, 43.8286, 32.0160, 28.5215, 26.3188},
                 k4, true, "totalFlow");
}

TEST(WorkedExample, ConvolutionTableHoldsEveryBlockOnItsRows) {
    const CalculationRecord r = runOrFail(workedExampleInputs());
    for (int j = 0; j <= kSteps; ++j) {
        EXPECT_FALSE(r.convolutionTable[j][0].has_value()) << "column 0, row " << j;
    }
    for (int j = 1; j <= kSteps; ++j) {
        for (int i = 1; i <= kSteps; ++i) {
            EXPECT_EQ(r.convolutionTable[j][i].has_value(), i >= j) << "row " << j << " col " << i;
        }
    }
    // Beyond the eighth ordinate a block contributes nothing.
    EXPECT_EQ(*r.convolutionTable[1][9], 0.0);
}

// The last accepted output, to the bit: any change in the order of operations shows here.
TEST(WorkedExample, ExactValuesDoNotDrift) {
    const CalculationRecord r = runOrFail(workedExampleInputs());
    EXPECT_EQ(*r.frequencyFactorK, 2.3046046963641902);
    EXPECT_EQ(*r.potentialRetentionMm, 84.666666666666671);
    EXPECT_EQ(*r.recessionTimeH, 6.8333333333469994);
    EXPECT_EQ(*r.unitPeakFlow, 2.536585365853659);
    EXPECT_EQ(*r.pointRainfallMm[15], 149.71671373900517);
    EXPECT_EQ(*r.reducedRainfallMm[6], 110.48890435594652);
    EXPECT_EQ(*r.cumulativeRainfallMm[7], 114.34856227959736);
    EXPECT_EQ(*r.effectiveRainfallMm[15], 68.548548639378595);
    EXPECT_EQ(*r.unitHydrograph[4], 2.47471738f);
    EXPECT_EQ(*r.unitHydrograph[5], 2.20757174f);
    EXPECT_EQ(*r.convolutionTable[4][8], 73.782512772821832);
    EXPECT_EQ(*r.totalFlow[8], 115.33007379001947);
    EXPECT_EQ(*r.totalFlow[15], 26.318760182647214);
}

TEST(CopyRunFields, SecondShorterRunLeavesNoStaleEntries) {
    CalculationRecord window;
    window.channelLengthKm = 12.5;
    window.elevationDropM = 80;
    window.concentrationTimeH = 9.75;

    // tc 13 h with D = 1 h: increments up to step 14.
    CalculationInputs longer = workedExampleInputs();
    longer.concentrationTimeH = 13;
    copyRunFields(runOrFail(longer), window);
    ASSERT_TRUE(window.incrementalRainfallMm[14].has_value());

    // tc 2 h: increments 1..6 only.
    CalculationInputs shorter = workedExampleInputs();
    shorter.concentrationTimeH = 2;
    const CalculationRecord second = runOrFail(shorter);
    copyRunFields(second, window);
    for (int i = 7; i <= kSteps; ++i) {
        EXPECT_FALSE(window.incrementalRainfallMm[i].has_value()) << "entry " << i;
    }
    EXPECT_EQ(window.totalFlow, second.totalFlow);
    EXPECT_EQ(window.convolutionTable, second.convolutionTable);
    // The three fields of the input side stay the window's own.
    EXPECT_EQ(window.channelLengthKm, 12.5);
    EXPECT_EQ(window.elevationDropM, 80);
    EXPECT_EQ(window.concentrationTimeH, 9.75);
}

TEST(CopyRunFields, OwnModeRunEmptiesTheTermsOfK) {
    CalculationRecord window;
    copyRunFields(runOrFail(workedExampleInputs()), window);
    ASSERT_TRUE(window.durationAlpha.has_value());

    CalculationInputs own = workedExampleInputs();
    own.mode = EquationMode::Own;
    own.frequencyFactorK = 2.3;
    own.idfCoefficientA = 0.2;
    own.idfCoefficientB = 25;
    own.idfCoefficientC = 20;
    copyRunFields(runOrFail(own), window);
    EXPECT_FALSE(window.durationAlpha.has_value());
    EXPECT_FALSE(window.durationBeta.has_value());
    EXPECT_FALSE(window.returnPeriodExponent.has_value());
    EXPECT_EQ(window.frequencyFactorK, 2.3);
}

} // namespace
} // namespace calc
