// How typed numbers are read, the time of concentration, and a run as the window and zeb-calc
// ask for it.
#include "calc/concentration.h"
#include "calc/run_request.h"
#include "numbers/number_reading.h"
#include "tests/worked_example.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

namespace calc {
namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();

// Blanks, tabs and line feeds are skipped wherever they stand (a carriage return ends the
// number), reading stops at the first character that cannot continue the number, a value out of
// range reads as infinity or zero, and a text with no leading number reads as 0.
TEST(LeadingNumber, ReadsTheNumberAtTheStartOfTheText) {
    // clang-format off
    const std::pair<const char*, double> rows[] = {
        {"-7.25", -7.25}, {".5", 0.5}, {"+7", 7}, {"0.083333333333", 0.083333333333},
        {"  1 2 3  ", 123}, {"- 5", -5}, {"\t1\n.\t5\n", 1.5}, {"1 e - 2", 0.01}, {"1\r2", 1},
        {"1,5", 1}, {"1.2.3", 1.2}, {"12abc", 12}, {"+-1", 0}, {"5-3", 5}, {"2E+2", 200},
        {"1e+", 1}, {".e5", 0}, {"1e400", kInf}, {"-1e99999999999999999999", -kInf},
        {"1e-400", 0}, {"", 0}, {"-", 0}, {",5", 0}, {"inf", 0}};
    // clang-format on
    for (const auto& [text, expected] : rows) {
        EXPECT_EQ(parseLeadingNumber(text), expected) << '"' << text << '"';
    }
    EXPECT_EQ(parseLeadingNumber("1" + std::string(400, '0') + "e-10"), kInf);
    EXPECT_EQ(parseLeadingNumber("0." + std::string(400, '0') + "1"), 0);
    // Out of range, the side comes from the digits before the point and the zeros after it only.
    EXPECT_EQ(parseLeadingNumber("0." + std::string(1000, '1') + "e400"), kInf);
    EXPECT_EQ(parseLeadingNumber("0." + std::string(1000, '0') + "1e400"), 0);
}

TEST(ConcentrationTime, FollowsTheKirpichFormulaWhereItHasAValue) {
    // 0.95 * (10³ / 100)^0.385 = 2.30528 h.
    const std::tuple<double, double, std::optional<double>> rows[] = {
        {10, 100, 2.30528},  {0, 5, 0.0},     {-10, -100, 2.30528},
        {10, 0, {}},         {10, -100, {}},  {-10, 100, {}},
        {1e200, 1e-200, {}}, {kInf, 100, {}}, {10, std::nan(""), {}}};
    for (const auto& [length, drop, expected] : rows) {
        const auto tc = computeConcentrationTime(length, drop);
        ASSERT_EQ(tc.has_value(), expected.has_value()) << length << " km, " << drop << " m";
        if (tc) {
            EXPECT_NEAR(*tc, *expected, 0.5e-5) << length << " km, " << drop << " m";
        }
    }
}

TEST(RunRequest, TcComesFromTheLengthAndDropUnlessGiven) {
    RunRequest request = zebtest::workedExampleRequest();
    request.concentrationTimeH.reset();
    request.channelLengthKm = 10;
    request.elevationDropM = 100;
    const CalculationRecord fromChannel = *runRequest(request);
    EXPECT_NEAR(fromChannel.concentrationTimeH, 2.30528, 0.5e-5);
    EXPECT_NEAR(*fromChannel.riseTimeH, 0.5 + 0.6 * 2.30528, 1e-5);
    EXPECT_EQ(fromChannel.channelLengthKm, 10.0);
    EXPECT_EQ(fromChannel.elevationDropM, 100.0);

    request.concentrationTimeH = 6; // as the window keeps it
    EXPECT_EQ(runRequest(request)->totalFlow, zebtest::workedExampleRecord().totalFlow);

    request.concentrationTimeH.reset();
    request.channelLengthKm = 1e200;
    request.elevationDropM = 1e-200;
    const auto undefined = runRequest(request);
    ASSERT_FALSE(undefined);
    EXPECT_NE(undefined.failure().message.find("o comprimento 1e+200 km"), std::string::npos);
}

// Values without physical meaning are refused before anything is computed, naming the field and
// its range; CN 0 keeps the run's own message, and mode Own needs no return period.
TEST(RunRequest, RefusesPhysicallyMeaninglessInputs) {
    using Change = void (*)(RunRequest&);
    const std::pair<Change, const char*> rows[] = {
        {[](RunRequest& r) { r.curveNumber = 150; }, "o CN deve ser maior que 0 e no máximo 100"},
        {[](RunRequest& r) { r.curveNumber = -75; }, "o CN deve ser maior que 0 e no máximo 100"},
        {[](RunRequest& r) { r.curveNumber = std::nan(""); }, "o CN deve ser maior que 0"},
        {[](RunRequest& r) { r.drainageAreaKm2 = 0; }, "a área de drenagem deve ser maior que 0"},
        {[](RunRequest& r) { r.channelLengthKm = -1; }, "o comprimento do talvegue deve ser"},
        {[](RunRequest& r) { r.elevationDropM = 0; }, "o desnível deve ser maior que 0 m"},
        {[](RunRequest& r) { r.concentrationTimeH = -5; }, "o tempo de concentração deve ser"},
        {[](RunRequest& r) { r.returnPeriodYears = 0; }, "o tempo de recorrência deve ser"},
        {[](RunRequest& r) { r.returnPeriodYears = 100001; }, "deve ser no máximo 100000 anos"},
        {[](RunRequest& r) { r.mode = EquationMode::Own, r.returnPeriodYears = NAN; },
         "deve ser no máximo 100000 anos"},
        {[](RunRequest& r) { r.station->b = -25; }, "as constantes do posto foram recusadas: a "
                                                    "precipitação pontual de 5 min para TR 2"},
        {[](RunRequest& r) {
             r.mode = EquationMode::Own, r.ownConstants = {-2.3, 0.2, 25, 20};
         },
         "a equação própria (K, a, b, c) foi recusada: a precipitação pontual de 5 min não"},
        {[](RunRequest& r) { r.mode = EquationMode::Idf, r.returnPeriodYears = 0; },
         "o tempo de recorrência deve ser maior que 0 anos"},
        {[](RunRequest& r) { r.mode = EquationMode::Idf, r.returnPeriodYears = 1e6; },
         "deve ser no máximo 100000 anos"}};
    // An IDF equation's constants outside their ranges, and one whose rainfall stops growing:
    // t/(t + 26)^1.15 is largest at t = 26/0.15 = 173.3 min, 0.39294 at 180 and 0.39263 at 195.
    const std::pair<IdfEquation, const char*> idfRows[] = {
        {{0, 0.15, 11, 0.76},
         "a equação IDF (K, m, t0, n) foi recusada: K deve ser um número "
         "finito maior que 0"},
        {{INFINITY, 0, 1, 1}, "K deve ser um número finito maior que 0"},
        {{900, NAN, 11, 0.76}, "m deve ser um número finito"},
        {{900, 0.15, -1, 0.76}, "t0 deve ser um número finito maior ou igual a 0 min"},
        {{900, 0.15, 11, 0}, "n deve ser um número finito maior que 0"},
        {{5950, 0.217, 26, 1.15},
         "a precipitação pontual de 195 min (passo 13 da duração 15 "
         "min) para TR 2 anos não é maior que a de 180 min"}};
    const auto expectRefused = [](const RunRequest& request, const char* message) {
        const auto result = runRequest(request);
        ASSERT_FALSE(result) << message;
        const util::Failure& error = result.failure();
        EXPECT_EQ(error.kind, util::Failure::Kind::InvalidInput) << message;
        EXPECT_EQ(error.message.rfind("Valor inválido: ", 0), 0u) << error.message;
        EXPECT_NE(error.message.find(message), std::string::npos) << error.message;
    };
    for (const auto& [change, message] : rows) {
        RunRequest request = zebtest::workedExampleRequest();
        request.concentrationTimeH.reset();
        request.channelLengthKm = 10;
        request.elevationDropM = 100;
        change(request);
        expectRefused(request, message);
    }
    for (const auto& [equation, message] : idfRows) {
        RunRequest request = zebtest::workedExampleRequest();
        request.mode = EquationMode::Idf;
        request.idfEquation = equation;
        expectRefused(request, message);
    }
    RunRequest cnZero = zebtest::workedExampleRequest();
    cnZero.curveNumber = 0;
    const util::Failure zero = runRequest(cnZero).failure();
    EXPECT_EQ(zero.message, "Não é possível calcular: o CN não pode ser zero.");
    EXPECT_EQ(zero.kind, util::Failure::Kind::NotComputable);
    RunRequest own = zebtest::workedExampleRequest();
    own.mode = EquationMode::Own;
    own.ownConstants = {2.304605, 0.2, 25, 20};
    own.returnPeriodYears = 0;
    EXPECT_TRUE(runRequest(own));
    EXPECT_TRUE(isValidCurveNumber(100));
}

// Mode Own takes the typed K, a, b, c, not the station, and the return period is only reported:
// K = 2.304605 with the station's a, b, c is the worked example again.
TEST(RunRequest, OwnModeUsesTheTypedConstantsNotTheStation) {
    RunRequest request = zebtest::workedExampleRequest();
    request.mode = EquationMode::Own;
    request.ownConstants = {2.304605, 0.2, 25, 20};
    request.station->a = 99;
    request.returnPeriodYears = 50;
    const CalculationRecord r = *runRequest(request);
    EXPECT_EQ(r.frequencyFactorK, 2.304605);
    EXPECT_EQ(r.idfCoefficientC, 20);
    EXPECT_EQ(r.returnPeriodYears, 50);
    EXPECT_FALSE(r.durationAlpha || r.durationBeta || r.returnPeriodExponent);
    EXPECT_NEAR(*r.totalFlow[8], 115.3301, 1e-3);
}

} // namespace
} // namespace calc
