// Rainfall constants against their verdicts, worked out by hand from P = K*(a*t + b*log10(1+c*t))
// over the duration list, the 15 steps of each run and TR 2 to 10000.
#include "calc/rainfall_check.h"

#include <gtest/gtest.h>

namespace calc {
namespace {

struct StationRow {
    const char* name;
    StationCoefficients station;
    const char* refusal; // none: accepted
    const char* warning; // of an accepted station; none: no warning
};

TEST(RainfallCheck, StationsAreRefusedAtTheFirstDurationAndTrThatFail) {
    // clang-format off
    const StationRow rows[] = {
        // 24 h, TR 100: K = 100^(0.17 + 0.08/100^0.25) = 2.4581, times 4.8 + 25*log10(481): 176.6 mm.
        {"shipped station", {0.2, 25, 20, -0.04, 0.08, 0.08, 0.08}, nullptr, nullptr},
        // 0.2*(1/12) + (-25)*log10(1 + 20/12) = -10.63 mm at 5 min.
        {"negative b", {0.2, -25, 20, -0.04, 0.08, 0.08, 0.08},
         "a precipitação pontual de 5 min para TR 2 anos não é maior que zero", nullptr},
        // One column to the left: c = -0.04 leaves log(1 + c*t) without a value from t = 25 h.
        {"shifted row", {25, 20, -0.04, 0.08, 0.08, 0.08, 0.08},
         "a precipitação pontual de 26 h (passo 13 da duração 2 h) para TR 2 anos não é um "
         "número finito", nullptr},
        // 2^(0.108 + 2/2^0.25) * 10.67 = 36.9 mm at 5 min against 22.2 mm at 15 min.
        {"B5 above B15", {0.2, 25, 20, 2, 0.08, 0.08, 0.08},
         "a precipitação pontual de 15 min para TR 2 anos não é maior que a de 5 min", nullptr},
        // ln(P1h/P30min) = ln TR*(0.018 - 0.25/TR^0.25) + ln(33.26/26.13): +0.001 at TR 5,
        // -0.041 at TR 10, back above 0 by TR 10000.
        {"B30 above Bm", {0.2, 25, 20, -0.04, 0.08, 0.33, 0.08},
         "a precipitação pontual de 1 h para TR 10 anos não é maior que a de 30 min", nullptr},
        // 2^(0.156 + 1e4/2^0.25) has no finite value.
        {"huge Bm", {0.2, 25, 20, -0.04, 0.08, 0.08, 1e4},
         "a precipitação pontual de 1 h para TR 2 anos não é um número finito", nullptr},
        {"24 h TR 100 above 600 mm", {15, 25, 20, -0.04, 0.08, 0.08, 0.08}, nullptr,
         "a chuva de 24 h e TR 100 anos é 1049,7 mm, fora do usual (30 a 600 mm)"},
        {"24 h TR 100 below 30 mm", {0.01, 1, 20, -0.04, 0.08, 0.08, 0.08}, nullptr,
         "a chuva de 24 h e TR 100 anos é 7,2 mm, fora do usual (30 a 600 mm)"},
        // A missing constant is the run's to name.
        {"no B5", {0.2, -25, 20, std::nullopt, 0.08, 0.08, 0.08}, nullptr, nullptr},
    };
    // clang-format on
    for (const StationRow& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(stationRainfallRefusal(row.station),
                  row.refusal ? std::optional<std::string>(row.refusal) : std::nullopt);
        if (!row.refusal) {
            EXPECT_EQ(stationRainfallWarning(row.station),
                      row.warning ? std::optional<std::string>(row.warning) : std::nullopt);
        }
    }
}

TEST(RainfallCheck, OwnConstantsCountOnlyTheDurations) {
    EXPECT_EQ(ownRainfallRefusal({2.304605, 0.2, 25, 20}), std::nullopt);
    EXPECT_EQ(ownRainfallRefusal({-2.3, 0.2, 25, 20}),
              "a precipitação pontual de 5 min não é maior que zero");
    // -0.2*t + 25*log10(1 + 20*t) falls after t = 54.2 h: 65.04 at 56 h, 64.99 at 60 h.
    EXPECT_EQ(ownRainfallRefusal({2.3, -0.2, 25, 20}),
              "a precipitação pontual de 60 h (passo 15 da duração 4 h) não é maior que a de 56 h");
}

} // namespace
} // namespace calc
