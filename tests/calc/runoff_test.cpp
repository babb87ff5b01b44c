#include "calc/runoff.h"
#include "tests/calc/worked_example.h"

#include <gtest/gtest.h>

namespace calc {
namespace {

using fixtures::runOrFail;
using fixtures::workedExampleInputs;

TEST(Runoff, CurveNumber100MakesEveryDepthExcess) {
    CalculationInputs inputs = workedExampleInputs();
    inputs.curveNumber = 100;
    const CalculationRecord r = runOrFail(inputs);
    EXPECT_EQ(*r.potentialRetentionMm, 0.0);
    for (int i = 1; i <= kSteps; ++i) {
        EXPECT_DOUBLE_EQ(*r.effectiveRainfallMm[i], *r.cumulativeRainfallMm[i]) << "step " << i;
    }
}

// A record as the run leaves it just before the last stage, for the cases a run cannot reach
// with round numbers.
CalculationRecord beforeLastStage(double retentionMm, std::initializer_list<double> cumulative) {
    CalculationRecord r;
    r.potentialRetentionMm = retentionMm;
    int i = 1;
    for (const double value : cumulative) {
        r.cumulativeRainfallMm[i++] = value;
    }
    for (int k = 1; k <= kUnitHydrographSize; ++k) {
        r.unitHydrograph[k] = 1.0f;
    }
    return r;
}

TEST(Runoff, DepthExactlyAtInitialAbstractionGivesNoExcess) {
    CalculationRecord r = beforeLastStage(50, {10.0, 10.5}); // 0.2 * 50 = 10 exactly
    ASSERT_FALSE(computeRunoffHydrograph(r).has_value());
    EXPECT_EQ(*r.effectiveRainfallMm[1], 0.0);
    EXPECT_GT(*r.effectiveRainfallMm[2], 0.0);
    // Entries the storm left empty count as 0.
    EXPECT_EQ(*r.effectiveRainfallMm[15], 0.0);
}

TEST(Runoff, ZeroDenominatorIsAnError) {
    CalculationRecord r = beforeLastStage(-10, {1, 8}); // 8 + 0.8 * -10 = 0
    const auto error = computeRunoffHydrograph(r);
    ASSERT_TRUE(error.has_value());
    EXPECT_NE(error->message.find("passo 2"), std::string::npos) << error->message;
}

TEST(Runoff, LongUnitDurationEndsTheTriangleInsideEightOrdinates) {
    CalculationInputs inputs = workedExampleInputs();
    inputs.durationIndex = 8; // 24 h: Tp = 12.6 h, Tb = 33.642 h
    inputs.concentrationTimeH = 1;
    const CalculationRecord r = runOrFail(inputs);
    EXPECT_GT(*r.unitHydrograph[1], 0.0f);
    for (int k = 2; k <= kUnitHydrographSize; ++k) {
        EXPECT_EQ(*r.unitHydrograph[k], 0.0f) << "u_" << k << " lies at or beyond Tb";
    }
}

TEST(Runoff, AtExactlyTpTheFallingLimbApplies) {
    CalculationInputs inputs = workedExampleInputs();
    inputs.concentrationTimeH = 2.5; // Tp = 0.5 + 1.5 = 2 h, the time of u_2
    const CalculationRecord r = runOrFail(inputs);
    ASSERT_EQ(*r.riseTimeH, 2.0);
    const double qp = *r.unitPeakFlow;
    EXPECT_GT(*r.unitHydrograph[2], static_cast<float>(qp));
    EXPECT_NEAR(*r.unitHydrograph[2], qp * 1.67 / 1.66666666667, 1e-6);
}

TEST(Runoff, ShortUnitDurationCutsTheTriangleAfterEightOrdinates) {
    CalculationInputs inputs = workedExampleInputs();
    inputs.durationIndex = 0; // 5 min against tc 6 h
    const CalculationRecord r = runOrFail(inputs);
    EXPECT_GT(*r.unitHydrograph[8], 0.0f);
    for (int j = 1; j + 8 <= kSteps; ++j) {
        EXPECT_EQ(*r.convolutionTable[j][j + 8], 0.0) << "row " << j;
    }
}

TEST(Runoff, ZeroAreaGivesAHydrographOfZeros) {
    CalculationInputs inputs = workedExampleInputs();
    inputs.drainageAreaKm2 = 0;
    const CalculationRecord r = runOrFail(inputs);
    EXPECT_EQ(*r.unitPeakFlow, 0.0);
    for (int i = 1; i <= kSteps; ++i) {
        EXPECT_EQ(*r.totalFlow[i], 0.0) << "step " << i;
    }
}

} // namespace
} // namespace calc
