// Reading a daily series in both layouts, and the rule of which years count.
#include "rainfit/annual_maxima.h"
#include "rainfit/daily_series.h"
#include "rainfit/duration_ratios.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace rainfit {
namespace {

using namespace std::chrono;

constexpr std::string_view kHeader =
    "EstacaoCodigo;NivelConsistencia;Data;Chuva01;Chuva02;Chuva03;Chuva04;Chuva05;Chuva06;"
    "Chuva07;Chuva08;Chuva09;Chuva10;Chuva11;Chuva12;Chuva13;Chuva14;Chuva15;Chuva16;Chuva17;"
    "Chuva18;Chuva19;Chuva20;Chuva21;Chuva22;Chuva23;Chuva24;Chuva25;Chuva26;Chuva27;Chuva28;"
    "Chuva29;Chuva30;Chuva31;\r\n";

// A line of the export: the month's first day, its level and its first totals; the other days
// to the 28th hold 0, the 29th to the 31st `tail`.
std::string monthLine(const std::string& date, int level, const std::string& first,
                      const std::string& tail = "0") {
    std::string line = "01943022;" + std::to_string(level) + ";" + date + ";" + first;
    for (int day = static_cast<int>(std::ranges::count(first, ';')) + 2; day <= 31; ++day) {
        line += ";" + (day > 28 ? tail : "0");
    }
    return line + ";\r\n";
}

std::string exported(const std::string& lines) {
    return "// notas do sistema\r\n//\r\n\r\n" + std::string(kHeader) + lines;
}

std::optional<double> total(const DailySeries& series, year_month_day day) {
    const auto found = series.totalsMm.find(Day{day});
    return found == series.totalsMm.end() ? std::nullopt : found->second;
}

// The agency's files run from the newest month back, the consisted month (level 2) beside the
// raw one; level 2 wins in either order, and a day past the month's end is not read.
TEST(DailySeries, HidroWebPrefersConsistedMonthsInAnyOrder) {
    const std::string file =
        exported(monthLine("01/02/2001", 1, "1,5;;2", "x") + monthLine("01/01/2001", 2, "7,25") +
                 monthLine("01/01/2001", 1, "9") + monthLine("01/03/2001", 1, "5") +
                 monthLine("01/03/2001", 2, "4"));
    const auto read = readDailySeries(file);
    ASSERT_TRUE(bool(read)) << read.failure().message;
    const DailySeries& series = *read;
    EXPECT_EQ(series.stationCode, "01943022");
    EXPECT_EQ(series.totalsMm.size(), 31u + 28 + 31);
    EXPECT_EQ(total(series, 2001y / 1 / 1), 7.25);
    EXPECT_EQ(total(series, 2001y / 3 / 1), 4);
    EXPECT_EQ(total(series, 2001y / 2 / 1), 1.5);
    EXPECT_TRUE(series.totalsMm.contains(Day{2001y / 2 / 2}));
    EXPECT_EQ(total(series, 2001y / 2 / 2), std::nullopt);
}

TEST(DailySeries, RefusalsNameTheLine) {
    const std::string csv = "Date,Rain_mm_day\n2001-01-01,1.5\n";
    // clang-format off
    const std::pair<std::string, const char*> rows[] = {
        {"a;b\n1;2\n", "formato conhecido"},
        {"", "formato conhecido"},
        {csv + "2001-01-02,abc\n", "linha 3: o valor \"abc\" não é um número"},
        {csv + "2001-01-02,1,5\n", "linha 3: espera 2 campos"},
        {csv + "2001-01-02,-0.1\n", "linha 3: o total \"-0.1\" é negativo"},
        {csv + "2001-02-29,1\n", "linha 3: a data \"2001-02-29\" não existe"},
        {csv + "2001-00-10,1\n", "linha 3: a data \"2001-00-10\" não existe"},
        {csv + "2001/01/02,1\n", "linha 3: a data \"2001/01/02\" não está na forma"},
        {csv + "2001-1x-02,1\n", "linha 3: a data \"2001-1x-02\" não está na forma"},
        {csv + "01/01/2001,\n", "linha 3: o dia 01/01/2001 aparece de novo"},
        {exported(monthLine("01/01/2001", 1, "1") + monthLine("01/01/2001", 1, "2")),
         "linha 6: o mês 01/2001 aparece de novo no nível 1 (também na linha 5)"},
        {exported(monthLine("01/01/2001", 1, "1.5")), "linha 5: o valor \"1.5\" não é um número"},
        {exported(monthLine("01/01/2001", 1, "-2")), "linha 5: o total \"-2\" é negativo"},
        {exported(monthLine("31/04/2001", 1, "1")), "linha 5: a data \"31/04/2001\" não existe"},
        {exported(monthLine("02/01/2001", 1, "1")), "não é o primeiro dia de um mês"},
        {exported(monthLine("01/01/2001", 3, "1")), "linha 5: o nível de consistência \"3\""},
        {exported("01943022;1;01/01/2001;1\r\n"), "linha 5: a linha tem 4 campos"},
        {exported(monthLine("01/01/2001", 1, "1") + "01" + monthLine("01/02/2001", 1, "1").substr(8)),
         "linha 6: o posto \"01\" não é o posto \"01943022\""},
        {"x\r\nEstacaoCodigo;NivelConsistencia;Data;Chuva01\r\n", "linha 2: falta a coluna Chuva02"},
    };
    // clang-format on
    for (const auto& [bytes, messagePart] : rows) {
        const auto read = readDailySeries(bytes);
        ASSERT_TRUE(!read) << messagePart;
        EXPECT_NE(read.failure().message.find(messagePart), std::string::npos)
            << read.failure().message;
    }
}

// A year counts with at most 5 % of its days missing: 18 of 365 (4.9 %) and 18 of 366, not 19.
TEST(AnnualMaxima, YearsWithTooManyMissingDaysAreLeftOut) {
    DailySeries series;
    for (Day day = Day{2001y / 1 / 1}; day <= Day{2012y / 12 / 31}; day += days{1}) {
        series.totalsMm[day] = 1;
    }
    series.totalsMm[Day{2003y / 7 / 1}] = 40;
    const auto removeDays = [&series](Day from, int count) {
        for (int i = 0; i < count; ++i) {
            series.totalsMm[from + days{i}].reset();
        }
    };
    removeDays(Day{2001y / 3 / 1}, 18);
    removeDays(Day{2002y / 3 / 1}, 19);
    removeDays(Day{2004y / 12 / 10}, 18); // leap year
    series.totalsMm.erase(series.totalsMm.find(Day{2005y / 5 / 5}),
                          series.totalsMm.find(Day{2005y / 5 / 24}));
    const auto maxima = *annualMaxima(series, {});
    ASSERT_EQ(maxima.counted.size(), 10u);
    EXPECT_EQ(maxima.counted[0].missingDays, 18);
    EXPECT_EQ(maxima.counted[1].year, 2003);
    EXPECT_EQ(maxima.counted[1].maxDailyMm, 40);
    EXPECT_EQ(maxima.counted[2].missingDays, 18);
    ASSERT_EQ(maxima.leftOut.size(), 2u);
    EXPECT_EQ(maxima.leftOut[0].year, 2002);
    EXPECT_EQ(maxima.leftOut[0].missingDays, 19);
    EXPECT_EQ(maxima.leftOut[1].missingDays, 19); // days not listed are missing too

    // A hydrological year from October, named by the year it starts in, every missing day
    // allowed: 2000 (from January 2001 on) counts, and the July 2003 maximum is 2002's.
    const auto hydrological = *annualMaxima(series, {10, 100});
    EXPECT_EQ(hydrological.counted.front().year, 2000);
    EXPECT_EQ(hydrological.counted[2].maxDailyMm, 40);
    EXPECT_EQ(hydrological.counted[2].year, 2002);

    removeDays(Day{2006y / 1 / 1}, 365);
    EXPECT_EQ(annualMaxima(series, {}).failure().message,
              "só 9 anos da série têm no máximo 5 % dos dias em falta; o ajuste precisa de pelo "
              "menos 10");
}

TEST(DurationRatios, TableReplacesTheRatiosItGives) {
    const auto read = readDurationRatios("duracao,razao\n1440,1.10\n5,0.3\n");
    const auto depths = durationDepthsMm(100, *read);
    EXPECT_DOUBLE_EQ(depths[11], 110);              // 24 h of 1 day
    EXPECT_DOUBLE_EQ(depths[6], 0.42 * 110);        // 1 h of 24 h
    EXPECT_DOUBLE_EQ(depths[0], 0.3 * 0.74 * 46.2); // 5 min of 30 min of 1 h
    EXPECT_DOUBLE_EQ(depths[4], 0.91 * 0.74 * 46.2);
    // clang-format off
    const std::pair<const char*, const char*> rows[] = {
        {"d,r\n7,0.5\n", "linha 2: a duração \"7\" não é uma das 12"},
        {"d,r\n5,0\n", "linha 2: a razão \"0\" não é um número maior que 0"},
        {"d,r\n5,x\n", "linha 2: a razão \"x\""},
        {"d,r\n5,0.3\n5,0.3\n", "linha 3: a duração de 5 min aparece de novo"},
        {"d,r\n5\n", "linha 2: espera 2 campos"},
    };
    // clang-format on
    for (const auto& [bytes, messagePart] : rows) {
        const auto refused = readDurationRatios(bytes);
        ASSERT_TRUE(!refused) << messagePart;
        EXPECT_NE(refused.failure().message.find(messagePart), std::string::npos)
            << refused.failure().message;
    }
}

} // namespace
} // namespace rainfit
