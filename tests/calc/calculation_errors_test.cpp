#include "tests/calc/case_name.h"
#include "tests/calc/worked_example.h"

#include <gtest/gtest.h>

#include <functional>
#include <limits>
#include <string>

namespace calc {
namespace {

using fixtures::runOrFail;
using fixtures::workedExampleInputs;

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

struct UndefinedCase {
    // Shown by name in test listings.
    friend void PrintTo(const UndefinedCase& row, std::ostream* out) { *out << row.name; }
    const char* name;
    std::function<void(CalculationInputs&)> change;
    const char* messagePart;
};

void ownMode(CalculationInputs& in) {
    in.mode = EquationMode::Own;
    in.frequencyFactorK = 2.3;
    in.idfCoefficientA = 0.2;
    in.idfCoefficientB = 25;
    in.idfCoefficientC = 20;
}

class UndefinedInput : public ::testing::TestWithParam<UndefinedCase> {};

TEST_P(UndefinedInput, GivesAnErrorAndNoRecord) {
    CalculationInputs inputs = workedExampleInputs();
    GetParam().change(inputs);
    CalculationResult result;
    ASSERT_NO_THROW(result = computeCalculationRecord(inputs));
    const auto* error = std::get_if<CalculationError>(&result);
    ASSERT_NE(error, nullptr) << "the run should have been refused";
    EXPECT_EQ(error->message.rfind("Não é possível calcular: ", 0), 0u) << error->message;
    EXPECT_NE(error->message.find(GetParam().messagePart), std::string::npos) << error->message;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, UndefinedInput,
    ::testing::Values(
        UndefinedCase{"CurveNumberZero", [](auto& in) { in.curveNumber = 0; }, "CN não pode"},
        UndefinedCase{"ReturnPeriodZero", [](auto& in) { in.returnPeriodYears = 0; },
                      "tempo de recorrência"},
        UndefinedCase{"ReturnPeriodNegative", [](auto& in) { in.returnPeriodYears = -10; },
                      "tempo de recorrência"},
        UndefinedCase{"NoStation", [](auto& in) { in.station.reset(); }, "nenhum posto"},
        UndefinedCase{"StationWithoutA", [](auto& in) { in.station->a.reset(); }, "valor para a."},
        UndefinedCase{"StationWithoutB", [](auto& in) { in.station->b.reset(); }, "valor para b."},
        UndefinedCase{"StationWithoutC", [](auto& in) { in.station->c.reset(); }, "valor para c."},
        UndefinedCase{"StationWithoutBm", [](auto& in) { in.station->Bm.reset(); },
                      "valor para Bm."},
        UndefinedCase{"FiveMinutesWithoutB5",
                      [](auto& in) {
                          in.durationIndex = 0;
                          in.station->B5.reset();
                      },
                      "valor para B5."},
        UndefinedCase{"FifteenMinutesWithoutB15",
                      [](auto& in) {
                          in.durationIndex = 1;
                          in.station->B15.reset();
                      },
                      "valor para B15."},
        UndefinedCase{"ThirtyMinutesWithoutB30",
                      [](auto& in) {
                          in.durationIndex = 2;
                          in.station->B30.reset();
                      },
                      "valor para B30."},
        UndefinedCase{"LogArgumentZeroAtFirstStep", [](auto& in) { in.station->c = -1; },
                      "1 + c·t deve ser maior que zero no passo 1"},
        UndefinedCase{"LogArgumentZeroAtTenthStep", [](auto& in) { in.station->c = -0.1; },
                      "passo 10"},
        UndefinedCase{"LogArgumentNegativeInOwnMode",
                      [](auto& in) {
                          ownMode(in);
                          in.idfCoefficientC = -2;
                      },
                      "passo 1"},
        UndefinedCase{"DurationIndexTooLarge", [](auto& in) { in.durationIndex = 13; }, "duração"},
        UndefinedCase{"DurationIndexNegative", [](auto& in) { in.durationIndex = -1; }, "duração"},
        UndefinedCase{"OrdinateBeyondFloatRange", [](auto& in) { in.drainageAreaKm2 = 1e300; },
                      "hidrograma unitário"},
        UndefinedCase{"InfiniteArea", [](auto& in) { in.drainageAreaKm2 = kInf; },
                      "hidrograma unitário"},
        UndefinedCase{"NaNCurveNumber", [](auto& in) { in.curveNumber = kNaN; }, "CN"},
        UndefinedCase{"InfiniteReturnPeriod", [](auto& in) { in.returnPeriodYears = kInf; },
                      "tempo de recorrência"},
        UndefinedCase{"InfiniteTc", [](auto& in) { in.concentrationTimeH = -kInf; },
                      "tempo de concentração"},
        UndefinedCase{"HugeKInOwnMode",
                      [](auto& in) {
                          ownMode(in);
                          in.frequencyFactorK = 1e308;
                      },
                      "chuva pontual"},
        UndefinedCase{"NaNReturnPeriodInOwnMode",
                      [](auto& in) {
                          ownMode(in);
                          in.returnPeriodYears = kNaN;
                      },
                      "tempo de recorrência"}),
    fixtures::CaseName());

TEST(DefinedInput, OnlyTheBetaTermOfTheDurationIsNeeded) {
    CalculationInputs inputs = workedExampleInputs(); // "1 h" uses Bm
    inputs.station->B5.reset();
    inputs.station->B15.reset();
    inputs.station->B30.reset();
    const CalculationRecord r = runOrFail(inputs);
    EXPECT_EQ(r.durationBeta, 0.08);
}

TEST(DefinedInput, NegativeCurveNumberStillComputes) {
    CalculationInputs inputs = workedExampleInputs();
    inputs.curveNumber = -75;
    EXPECT_TRUE(std::holds_alternative<CalculationRecord>(computeCalculationRecord(inputs)));
}

} // namespace
} // namespace calc
