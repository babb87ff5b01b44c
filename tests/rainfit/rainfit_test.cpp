// The analysis against figures worked by hand and computed independently (python3, by the
// formulas written out in full: the normal equations of the three-constant regression solved by
// elimination, t0 by a scan every 0.01 min and then every 0.00001 min, then a ternary search).
#include "rainfit/rain_analysis.h"

#include "calc/design_storm.h"
#include "tests/test_files.h"

#include <gtest/gtest.h>

#include <chrono>

namespace rainfit {
namespace {

using namespace std::chrono;

// Twelve years, 2001 to 2012, of 0 mm a day but one: these maxima on 10 January. 2004 misses
// three days; December 2000 alone stands for 2000, left out with 335 of its 366 days missing.
std::string twelveYears() {
    const double maxima[] = {62, 75, 48, 90, 110, 55, 70, 84, 66, 130, 58, 95};
    std::string csv = "date,mm\n";
    for (Day day = Day{2000y / 12 / 1}; day <= Day{2012y / 12 / 31}; day += days{1}) {
        const year_month_day date{day};
        const bool missing = date.year() == 2004y && date.month() == June && date.day() <= 3d;
        const bool largest = date.month() == January && date.day() == 10d;
        const int year = static_cast<int>(date.year());
        const auto twoDigits = [](unsigned value) {
            return (value < 10 ? "0" : "") + std::to_string(value);
        };
        csv += std::to_string(year) + "-" + twoDigits(static_cast<unsigned>(date.month())) + "-" +
               twoDigits(static_cast<unsigned>(date.day())) + "," +
               (missing   ? ""
                : largest ? std::to_string(maxima[year - 2001])
                          : "0") +
               "\n";
    }
    return csv;
}

RainAnalysis analysed(std::string_view bytes) {
    auto analysis = analyseDailyRainfall(bytes, {});
    if (!analysis) {
        ADD_FAILURE() << analysis.failure().message;
        return {};
    }
    return *analysis;
}

// By hand: mean 943/12 = 78.5833 mm; s = 24.2991 mm; K_2 = −0.16427, so P_1day(2) = 74.5918,
// P_24h = 85.0346, i(24 h) = 3.5431 mm/h, i(1 h) = 0.42·85.0346 = 35.7145 mm/h, i(5 min) =
// 0.34·0.74·35.7145·12 = 107.829 mm/h.
TEST(RainAnalysis, TwelveYearsWorkedByHand) {
    const RainAnalysis a = analysed(twelveYears());
    ASSERT_EQ(a.maxima.counted.size(), 12u);
    EXPECT_EQ(a.maxima.counted[3].year, 2004);
    EXPECT_EQ(a.maxima.counted[3].maxDailyMm, 90);
    EXPECT_EQ(a.maxima.counted[3].missingDays, 3);
    ASSERT_EQ(a.maxima.leftOut.size(), 1u);
    EXPECT_EQ(a.maxima.leftOut[0].missingDays, 335);
    EXPECT_NEAR(a.gumbel.meanMm, 78.583333333333329, 1e-12);
    EXPECT_NEAR(a.gumbel.stdDevMm, 24.299114586687512, 1e-12);
    EXPECT_NEAR(a.gumbel.ksStatistic, 0.086559424588067369, 1e-12);
    EXPECT_NEAR(a.gumbel.ksCritical5pct, 0.39259818304894556, 1e-12);
    EXPECT_FALSE(a.gumbel.rejected());
    EXPECT_NEAR(gumbelFrequencyFactor(2), -0.16427204188374181, 1e-14);
    EXPECT_NEAR(gumbelFrequencyFactor(100), 3.1366806436431842, 1e-14);
    ASSERT_EQ(a.points.size(), 72u);
    // Durations in turn, each at TR 2, 5, 10, 25, 50, 100.
    const std::tuple<std::size_t, double, double, double> points[] = {
        {0, 5, 2, 107.82919037283978},     {5, 5, 100, 223.78053064035041},
        {36, 60, 2, 35.714490717024297},   {41, 60, 100, 74.119147668372548},
        {66, 1440, 2, 3.5431042378000299}, {71, 1440, 100, 7.3530900464655309}};
    for (const auto& [index, minutes, years, intensity] : points) {
        EXPECT_EQ(a.points[index].durationMin, minutes);
        EXPECT_EQ(a.points[index].returnPeriodYears, years);
        EXPECT_NEAR(a.points[index].intensityMmH, intensity, 1e-10);
    }
    EXPECT_NEAR(a.fit.equation.k, 836.69387017314853, 1e-3);
    EXPECT_NEAR(a.fit.equation.m, 0.1822600204621839, 1e-9);
    EXPECT_NEAR(a.fit.equation.t0Min, 11.827225652793626, 1e-5);
    EXPECT_NEAR(a.fit.equation.n, 0.75795402682080271, 1e-7);
    EXPECT_NEAR(a.fit.sse, 0.10582939578850122, 1e-9);
    EXPECT_NEAR(a.fit.r2, 0.99695878067193777, 1e-9);
    EXPECT_EQ(a.points[71].fittedMmH, calc::idfIntensity(a.fit.equation, 100, 1440));
}

// Intensities that follow an equation exactly give it back, t0 at either end of its range too.
TEST(IdfFit, ExactPointsGiveTheirEquationBack) {
    const calc::IdfEquation equations[] = {{897.79, 0.1463, 11.83, 0.7580},
                                           {1500, 0.2, 0, 0.8},
                                           {3000, 0.15, 119.9996, 0.95},
                                           {2000, 0.1, 63.4567, 1.1}};
    for (const calc::IdfEquation& equation : equations) {
        std::vector<IdfPoint> points;
        for (const int minutes : kDurationsMin) {
            for (const double years : kReturnPeriodsYears) {
                points.push_back({static_cast<double>(minutes), years,
                                  calc::idfIntensity(equation, years, minutes), 0});
            }
        }
        const IdfFit fit = fitIdfEquation(points);
        EXPECT_NEAR(fit.equation.t0Min, equation.t0Min, 1e-3) << equation.k;
        EXPECT_NEAR(fit.equation.k / equation.k, 1, 1e-4) << equation.k;
        EXPECT_NEAR(fit.equation.m, equation.m, 1e-9) << equation.k;
        EXPECT_NEAR(fit.equation.n, equation.n, 1e-4) << equation.k;
        EXPECT_NEAR(fit.r2, 1, 1e-9) << equation.k;
    }
}

// The shipped gauge, 2000 to 2020, in both of its forms.
TEST(RainAnalysis, ShippedSeriesGivesOneEquationInBothForms) {
    const RainAnalysis plain = analysed(zebtest::dataFile("chuvas_01943022.csv"));
    const RainAnalysis exported = analysed(zebtest::dataFile("hidroweb_01943022.csv"));
    EXPECT_EQ(exported.stationCode, "01943022");
    EXPECT_EQ(plain.fit.equation, exported.fit.equation);
    EXPECT_EQ(plain.maxima.counted.size(), 21u);
    EXPECT_EQ(plain.maxima.counted[19].missingDays, 8);
    EXPECT_NEAR(plain.gumbel.meanMm, 107.28571428571431, 1e-12);
    EXPECT_NEAR(plain.fit.equation.k, 1122.8252420463134, 1e-3);
    EXPECT_NEAR(plain.fit.equation.m, 0.21473232082038179, 1e-9);
    EXPECT_NEAR(plain.fit.equation.t0Min, 11.827225632545282, 1e-5);
    EXPECT_NEAR(plain.fit.equation.n, 0.75795402664654066, 1e-7);
    EXPECT_NEAR(plain.fit.r2, 0.99520668809064239, 1e-9);
}

// Maxima all alike leave no spread for the distribution: refused, never a division by zero.
TEST(RainAnalysis, MaximaWithoutSpreadAreRefused) {
    AnnualMaxima maxima;
    maxima.counted.assign(12, {2000, 50, 0});
    EXPECT_NE(analyseAnnualMaxima(maxima, {}).failure().message.find("Gumbel"), std::string::npos);
}

} // namespace
} // namespace rainfit
