// The runoff's edge cases, the runs that have no value, and the notes on the run's fixed sizes.
#include "calc/limits.h"
#include "calc/runoff.h"
#include "tests/worked_example.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>

namespace calc {
namespace {

CalculationRecord withInputs(const std::function<void(CalculationInputs&)>& change) {
    CalculationInputs inputs = zebtest::workedExampleInputs();
    change(inputs);
    return zebtest::recordOf(inputs);
}

TEST(Runoff, EdgesOfTheMethod) {
    const CalculationRecord cn100 = withInputs([](auto& in) { in.curveNumber = 100; });
    EXPECT_EQ(*cn100.potentialRetentionMm, 0.0);
    EXPECT_DOUBLE_EQ(*cn100.effectiveRainfallMm[9], *cn100.cumulativeRainfallMm[9]);
    // All of the first block runs off: 4.4835 mm times u_1 = 2.536585 / 4.1 h.
    EXPECT_NEAR(*cn100.totalFlow[1], 2.7739, 1e-4);

    // 24 h against tc 1 h: Tp 12.6 h, Tb 33.642 h; the ordinates from Tb on are 0.
    const CalculationRecord wide = withInputs([](auto& in) {
        in.durationIndex = 8;
        in.concentrationTimeH = 1;
    });
    EXPECT_GT(*wide.unitHydrograph[1], 0.0f);
    EXPECT_EQ(*wide.unitHydrograph[2], 0.0f);

    // Tp = 0.5 + 0.6 * 2.5 = 2 h, the time of u_2: the falling limb applies, just above qp.
    const CalculationRecord atPeak = withInputs([](auto& in) { in.concentrationTimeH = 2.5; });
    EXPECT_NEAR(*atPeak.unitHydrograph[2], *atPeak.unitPeakFlow * 1.67 / 1.66666666667, 1e-6);

    const CalculationRecord noArea = withInputs([](auto& in) { in.drainageAreaKm2 = 0; });
    EXPECT_EQ(*noArea.totalFlow[8], 0.0);
}

TEST(Runoff, DepthAtTheInitialAbstractionGivesNoExcessAndAZeroDenominatorIsRefused) {
    CalculationRecord r;
    r.potentialRetentionMm = 50; // 0.2 S = 10
    r.cumulativeRainfallMm[1] = 10.0;
    r.cumulativeRainfallMm[2] = 10.5;
    ASSERT_FALSE(computeRunoffHydrograph(r));
    EXPECT_EQ(*r.effectiveRainfallMm[1], 0.0);
    EXPECT_GT(*r.effectiveRainfallMm[2], 0.0);

    r.potentialRetentionMm = -10; // 8 + 0.8 * -10 = 0
    r.cumulativeRainfallMm[2] = 8;
    const auto error = computeRunoffHydrograph(r);
    ASSERT_TRUE(error);
    EXPECT_NE(error->message.find("passo 2"), std::string::npos) << error->message;
}

using Change = std::function<void(CalculationInputs&)>;

// The station lacks one value, at a duration that needs it.
Change withoutStation(std::optional<double> StationCoefficients::*value, std::int16_t duration) {
    return [=](CalculationInputs& in) {
        (*in.station).*value = std::nullopt;
        in.durationIndex = duration;
    };
}

struct UndefinedRow {
    const char* name;
    Change change;
    const char* messagePart;
};

TEST(Runoff, RunsWithoutAValueAreRefusedWithTheReason) {
    using S = StationCoefficients;
    // clang-format off
    const UndefinedRow rows[] = {
        {"CN 0", [](auto& in) { in.curveNumber = 0; }, "o CN não pode ser zero."},
        {"TR 0", [](auto& in) { in.returnPeriodYears = 0; }, "tempo de recorrência"},
        {"no station", [](auto& in) { in.station.reset(); }, "nenhum posto"},
        {"no a", withoutStation(&S::a, 3), "valor para a."},
        {"no B5", withoutStation(&S::B5, 0), "valor para B5."},
        {"no B15", withoutStation(&S::B15, 1), "valor para B15."},
        {"no B30", withoutStation(&S::B30, 2), "valor para B30."},
        {"no Bm", withoutStation(&S::Bm, 4), "valor para Bm."},
        {"log of 0 at step 1", [](auto& in) { in.station->c = -1; }, "no passo 1,"},
        {"log of 0 at step 10", [](auto& in) { in.station->c = -0.1; }, "no passo 10,"},
        {"duration 13", [](auto& in) { in.durationIndex = 13; }, "duração"},
        {"ordinate beyond float", [](auto& in) { in.drainageAreaKm2 = 1e300; }, "ordenada 1"},
        {"NaN CN", [](auto& in) { in.curveNumber = std::nan(""); }, "o CN sai"},
        {"infinite tc", [](auto& in) { in.concentrationTimeH = -HUGE_VAL; }, "concentração sai"},
        {"huge rainfall", [](auto& in) { in.station->a = 1e308; }, "a chuva pontual sai"}};
    // clang-format on
    for (const UndefinedRow& row : rows) {
        CalculationInputs inputs = zebtest::workedExampleInputs();
        row.change(inputs);
        const auto result = computeCalculationRecord(inputs);
        ASSERT_FALSE(result) << row.name;
        const util::Failure* error = &result.failure();
        EXPECT_EQ(error->message.rfind("Não é possível calcular: ", 0), 0u) << row.name;
        EXPECT_NE(error->message.find(row.messagePart), std::string::npos)
            << row.name << ": " << error->message;
    }
}

// A record with only what the notes read: a flood peaking at `peak` and ending at `last`,
// and the triangle's base time against D = 1 h.
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

TEST(LimitNotes, SayWhenTheFixedStepsCutTheFloodOrTheTriangle) {
    const std::string flood(kFloodNotRecededNote), cut(kUnitHydrographCutNote);
    // The worked example: Tb 10.947 h > 8 h and Q15 26.32 > 11.53 m³/s at "1 h"; at "2 h"
    // Tb 12.28 h < 16 h; at "4 h" Q15 10.62 < 11.63 m³/s.
    EXPECT_EQ(limitNotes(zebtest::workedExampleRecord()), (std::vector{flood, cut}));
    EXPECT_EQ(limitNotes(withInputs([](auto& in) { in.durationIndex = 4; })), std::vector{flood});
    EXPECT_TRUE(limitNotes(withInputs([](auto& in) { in.durationIndex = 5; })).empty());
    // Both comparisons are strict.
    EXPECT_TRUE(limitNotes(shaped(100, 10, 8)).empty());
    EXPECT_EQ(limitNotes(shaped(100, 10.000001, 8.000001)), (std::vector{flood, cut}));
    EXPECT_EQ(limitNotes(shaped(0, 50, 4)), std::vector{flood}) << "still rising at step 15";
    EXPECT_TRUE(limitNotes(shaped(-5, -1, 4)).empty());
    EXPECT_TRUE(limitNotes(CalculationRecord{}).empty());
}

} // namespace
} // namespace calc
