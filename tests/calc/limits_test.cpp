// The notes on the run's fixed sizes: when they apply, and exactly when not.

#include "calc/limits.h"

#include "case_name.h"
#include "worked_example.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace calc {
namespace {

const std::string kFlood(kFloodNotRecededNote);
const std::string kCut(kUnitHydrographCutNote);

struct RunCase {
    const char* name;
    std::int16_t durationIndex;
    std::vector<std::string> notes;
};

class LimitNotesOfRuns : public testing::TestWithParam<RunCase> {};

// The worked example's basin at several unit durations.
TEST_P(LimitNotesOfRuns, FollowTheUnitDuration) {
    CalculationInputs inputs = fixtures::workedExampleInputs();
    inputs.durationIndex = GetParam().durationIndex;
    EXPECT_EQ(limitNotes(fixtures::runOrFail(inputs)), GetParam().notes);
}

INSTANTIATE_TEST_SUITE_P(WorkedExampleBasin, LimitNotesOfRuns,
                         testing::Values(
                             // Tb 10.947 h > 8 h; Q15 26.32 > 11.53 m³/s.
                             RunCase{"OneHourBoth", 3, {kFlood, kCut}},
                             // Tb 12.28 h < 16 h; Q15 16.09 > 12.36 m³/s.
                             RunCase{"TwoHoursFloodOnly", 4, {kFlood}},
                             // Tb 14.95 h < 32 h; Q15 10.62 < 11.63 m³/s.
                             RunCase{"FourHoursNone", 5, {}},
                             RunCase{"FiveMinutesBoth", 0, {kFlood, kCut}}),
                         fixtures::CaseName());

// A record with only what the decision reads: a flood rising to `peak` at step 8 and ending
// at `last`, and the triangle's base time against D = 1 h.
CalculationRecord shaped(double peak, double last, double baseTimeH) {
    CalculationRecord record;
    record.unitDurationH = 1;
    record.baseTimeH = baseTimeH;
    for (int step = 1; step <= kSteps; ++step) {
        record.totalFlow[step] = step == 8 ? peak : 0.0;
    }
    record.totalFlow[kSteps] = last;
    return record;
}

struct ShapeCase {
    const char* name;
    double peak, last, baseTimeH;
    std::vector<std::string> notes;
};

class LimitNotesAtTheBoundaries : public testing::TestWithParam<ShapeCase> {};

TEST_P(LimitNotesAtTheBoundaries, AreStrict) {
    const ShapeCase& c = GetParam();
    EXPECT_EQ(limitNotes(shaped(c.peak, c.last, c.baseTimeH)), c.notes);
}

INSTANTIATE_TEST_SUITE_P(
    Shapes, LimitNotesAtTheBoundaries,
    testing::Values(ShapeCase{"LastExactlyATenth", 100, 10, 8, {}},
                    ShapeCase{"LastJustAboveATenth", 100, 10.000001, 8, {kFlood}},
                    ShapeCase{"BaseTimeExactlyEightSteps", 100, 0, 8, {}},
                    ShapeCase{"BaseTimeJustBeyond", 100, 0, 8.000001, {kCut}},
                    // Still rising at the last step: the last flow is the peak.
                    ShapeCase{"PeakAtTheLastStep", 0, 50, 4, {kFlood}},
                    ShapeCase{"NoFlowAtAll", 0, 0, 4, {}},
                    ShapeCase{"OnlyNegativeFlows", -5, -1, 4, {}}),
    fixtures::CaseName());

TEST(LimitNotes, NoneForARecordWithoutResults) {
    EXPECT_TRUE(limitNotes(CalculationRecord{}).empty());
}

} // namespace
} // namespace calc
