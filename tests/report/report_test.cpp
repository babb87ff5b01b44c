// The calculation report: the worked example's exported bytes against the golden file, then
// the layout's edges, each by the characters it must show.
#include "report/rain_analysis_table.h"
#include "report/rain_analysis_text.h"
#include "report/record_table.h"
#include "report/report_file.h"
#include "report/report_lines.h"
#include "report/results_grid.h"
#include "tests/test_files.h"
#include "tests/worked_example.h"
#include "util/utf8.h"

#include <gtest/gtest.h>

#include <string>

namespace report {
namespace {

const NumberStyle kEnglish{".", ","};
const NumberStyle kBrazilian{",", "."};

std::vector<ReportLine> compose(const calc::CalculationRecord& record,
                                const NumberStyle& style = kEnglish, std::string_view river = "Rio",
                                std::string_view station = "Posto",
                                calc::EquationMode mode = calc::EquationMode::Automatic) {
    return composeReportLines(record, mode, river, station, zebtest::kGoldenTimestamp, style);
}

// Characters [start, start + count) of line n (1-based): widths count characters, not bytes.
std::string slice(const std::vector<ReportLine>& lines, std::size_t n, std::size_t start,
                  std::size_t count) {
    std::string_view text = lines.at(n - 1).text;
    std::string part;
    for (std::size_t index = 0; !text.empty() && index < start + count; ++index) {
        const std::size_t length = util::readUtf8Character(text).length;
        part += index >= start ? std::string(text.substr(0, length)) : "";
        text.remove_prefix(length);
    }
    return part;
}

// The five-character value of figure line n, and the field of step 1..15 on series line n.
std::string figure(const std::vector<ReportLine>& lines, std::size_t n) {
    return slice(lines, n, 28, 5);
}
std::string step(const std::vector<ReportLine>& lines, std::size_t n, std::size_t i) {
    return slice(lines, n, 40 + 7 * (i - 1), 7);
}

// Both limit notes apply to the worked example: they follow line 47.
TEST(Report, WorkedExampleIsTheGoldenFileByteForByte) {
    calc::CalculationRecord record = zebtest::workedExampleRecord();
    record.channelLengthKm.reset(); // tc given, the length and drop unknown: blank fields
    record.elevationDropM.reset();
    const auto lines = compose(record, kEnglish, zebtest::kGoldenRiver, zebtest::kGoldenStation);
    EXPECT_EQ(reportFileBytes(lines), zebtest::dataFile("worked-example-report.txt"));
    for (std::size_t n = 1; n <= lines.size(); ++n) {
        EXPECT_EQ(lines[n - 1].bold, n == 21) << "line " << n;
    }
}

// At "2 h" only the flood's note applies, at "4 h" none (hand-worked in tests/calc).
TEST(Report, LimitNotesFollowOnlyWhenOneApplies) {
    calc::CalculationInputs inputs = zebtest::workedExampleInputs();
    inputs.durationIndex = 4;
    const auto noted = compose(zebtest::recordOf(inputs));
    ASSERT_EQ(noted.size(), 51u);
    EXPECT_EQ(noted[48].text, "Observações:");
    EXPECT_TRUE(noted[49].text.starts_with("- A cheia não terminou no passo 15")) << noted[49].text;
    inputs.durationIndex = 5;
    EXPECT_EQ(compose(zebtest::recordOf(inputs)).size(), 47u);
}

TEST(Report, WorkedExampleRecordIsTheGoldenJsonAndCsv) {
    EXPECT_EQ(recordJson(zebtest::workedExampleRecord()), zebtest::dataFile("worked-example.json"));
    EXPECT_EQ(recordCsv(zebtest::workedExampleRecord()), zebtest::dataFile("worked-example.csv"));
    const std::string sheet = recordCsv(zebtest::workedExampleRecord(), CsvStyle::spreadsheet());
    EXPECT_TRUE(sheet.starts_with("\xEF\xBB\xBFtimesH;pointRainfallMm;")) << sheet;
    EXPECT_NE(sheet.find("\n1;76,64074084595127;68,97666676135614;"), std::string::npos);
}

TEST(Report, WideValuesWidenTheirFieldWholeAndSeriesValuesNeverTouch) {
    calc::CalculationInputs inputs = zebtest::workedExampleInputs();
    inputs.returnPeriodYears = 1000;
    inputs.durationIndex = 0; // 5 min: times with many decimals
    calc::CalculationRecord record = zebtest::recordOf(inputs);
    record.drainageAreaKm2 = 125.68;
    record.elevationDropM = 100.96;
    record.totalFlow[1] = 730.31;
    record.totalFlow[2] = 1330.15;
    record.totalFlow[3] = 1093.01;
    record.convolutionTable[1][1] = -100.5;
    const auto lines = compose(record, kBrazilian);
    EXPECT_EQ(lines[6].text, "          Área de drenagem: 125,68 km²    ");
    EXPECT_EQ(lines[8].text, "                  Desnível: 100,96 m      ");
    EXPECT_EQ(figure(lines, 11), "   75");
    EXPECT_EQ(lines[12].text, " Duração da chuva unitária: 0,083333333333 horas  ");
    EXPECT_EQ(figure(lines, 19), " 1000");
    EXPECT_EQ(lines[20].text, "Hidrograma de cheias para TR= 1000 anos   ");
    EXPECT_EQ(slice(lines, 23, 40, 30), " 0,083333333333 0,166666666666");
    EXPECT_EQ(slice(lines, 32, 40, 15), " -100,50   0,00");
    EXPECT_EQ(slice(lines, 47, 40, 23), " 730,31 1330,15 1093,01");
}

TEST(Report, TotalFlowBelowZeroIsWrittenAsZeroAndOnlyThere) {
    calc::CalculationRecord record = zebtest::workedExampleRecord();
    record.totalFlow[1] = -0.004;
    record.totalFlow[2] = -12.5;
    record.convolutionTable[1][1] = -0.004;
    const auto lines = compose(record, kBrazilian);
    EXPECT_EQ(step(lines, 47, 1), "   0,00");
    EXPECT_EQ(step(lines, 47, 2), "   0,00");
    EXPECT_EQ(step(lines, 32, 1), "  -0,00");
}

TEST(Report, RegionalDecimalSeparatorWithoutGrouping) {
    calc::CalculationRecord record = zebtest::workedExampleRecord();
    record.totalFlow[8] = 1234.5;
    const auto lines = compose(record, kBrazilian);
    EXPECT_EQ(figure(lines, 7), "50,00");
    EXPECT_EQ(slice(lines, 47, 89, 8), " 1234,50");
    for (std::size_t n = 6; n <= 47; ++n) {
        // Only the unit m³/s.mm holds a period.
        EXPECT_EQ(lines[n - 1].text.find('.') == std::string::npos, n != 18 && n != 31) << n;
    }
}

// In mode Own no station played a part: line 5 shows the typed constants instead.
TEST(Report, RiverAndStationAreWrittenWholeOnOneLineOrTheEquationInstead) {
    const std::string longName(300, 'x');
    calc::CalculationRecord record = zebtest::workedExampleRecord();
    const auto lines = compose(record, kEnglish, longName, "A\r\nB");
    EXPECT_EQ(lines[3].text, std::string(23, ' ') + "Rio: " + longName);
    EXPECT_EQ(lines[4].text, std::string(21, ' ') + "Posto: A  B");
    record.frequencyFactorK = 12.5;
    record.idfCoefficientA = 0.2;
    record.idfCoefficientB = 25;
    record.idfCoefficientC = 1e-20;
    const auto own = compose(record, kBrazilian, "Rio", "Posto", calc::EquationMode::Own);
    EXPECT_EQ(own[4].text, std::string(11, ' ') + "Equação própria: K=12,5 a=0,2 b=25 c=1e-20");
    // An IDF equation: its constants and units, or the station it came from; the JSON names them.
    record.idfEquationK = 897.79;
    record.idfExponentM = 0.1463;
    record.idfTimeOffsetMin = 11.83;
    record.idfExponentN = 0.758;
    const auto idf = compose(record, kBrazilian, "Rio", "", calc::EquationMode::Idf);
    EXPECT_EQ(idf[4].text, std::string(15, ' ') + "Equação IDF: K=897,79 m=0,1463 t0=11,83 n=0,758 "
                                                  "(i em mm/h, t e t0 em min, TR em anos)");
    const auto fromStation = compose(record, kBrazilian, "Rio", "Posto", calc::EquationMode::Idf);
    EXPECT_EQ(fromStation[4].text, std::string(21, ' ') + "Posto: Posto");
    EXPECT_NE(recordJson(record).find(R"("idfExponentM": 0.1463,
    "idfTimeOffsetMin": 11.83,)"),
              std::string::npos);
}

TEST(Windows1252, OneBytePerCharacterAndAQuestionMarkForWhatItCannotHold) {
    const std::pair<std::string, std::string> rows[] = {
        {"Área Vazão m³/s km²", "\xC1rea Vaz\xE3o m\xB3/s km\xB2"},
        {"ç ã ê ô õ ü É \u00A0ÿ", "\xE7 \xE3 \xEA \xF4 \xF5 \xFC \xC9 \xA0\xFF"},
        // The code page's own characters in 0x80..0x9F, and the bytes it leaves unassigned.
        {"€‚ƒ„…†‡ˆ‰Š‹ŒŽ", "\x80\x82\x83\x84\x85\x86\x87\x88\x89\x8A\x8B\x8C\x8E"},
        {"‘’“”•–—˜™š›œžŸ", "\x91\x92\x93\x94\x95\x96\x97\x98\x99\x9A\x9B\x9C\x9E\x9F"},
        {"\u0081\u008D\u0090\u0141中", "?????"},
        // Bytes that are not UTF-8: each one a question mark, none dropped.
        {"a\xFF"
         "b\x80\xC3",
         "a?b??"},
        {std::string("\0\t", 2), std::string("\0\t", 2)}};
    for (const auto& [utf8, expected] : rows) {
        EXPECT_EQ(toWindows1252(utf8), expected) << utf8;
    }
}

TEST(ResultsGrid, CellsAreGroupedRightAlignedInTwentyFiveAndNeverNegative) {
    const auto cell = [](const std::string& text) {
        return std::string(25 - text.size(), ' ') + text;
    };
    calc::CalculationInputs inputs = zebtest::workedExampleInputs();
    inputs.durationIndex = 12; // "6 d"
    calc::CalculationRecord record = zebtest::recordOf(inputs);
    EXPECT_EQ(gridTimeCell(record, 15, kEnglish), cell("2,160.00"));
    EXPECT_EQ(gridTimeCell(record, 15, kBrazilian), cell("2.160,00"));
    record.totalFlow[3] = -0.5;
    record.totalFlow[4] = 1234.5;
    record.totalFlow[5] = std::nullopt;
    EXPECT_EQ(gridFlowCell(record, 3, kBrazilian), cell("0,00"));
    EXPECT_EQ(gridFlowCell(record, 4, kBrazilian), cell("1.234,50"));
    EXPECT_EQ(gridFlowCell(record, 5, kEnglish), std::string(25, ' '));
    EXPECT_EQ(gridFlowCell(record, 16, kEnglish), std::string(25, ' '));
    record.totalFlow[1] = 1e17;
    EXPECT_EQ(gridFlowCell(record, 1, kEnglish), "100,000,000,000,000,000.00") << "whole";
}

// The fitted equation for a person: the test's verdict said either way, the years left out
// listed, the hydrological year named, the regional decimal separator.
TEST(RainAnalysisText, VerdictAndYearsAreSaidPlainly) {
    rainfit::RainAnalysis analysis;
    analysis.maxima.counted = {{2001, 80.5, 2}};
    analysis.maxima.leftOut = {{2002, 40}};
    analysis.gumbel = {78.5, 24.3, 0.2, 0.39};
    analysis.fit.equation = {836.69387, 0.18226, 11.827226, 0.757954};
    analysis.stationCode = "01943022";
    for (const double years : rainfit::kReturnPeriodsYears) {
        analysis.points.push_back({5, years, years, years + 0.5});
    }
    const std::string accepted = rainAnalysisText(analysis, {10, 5}, kBrazilian);
    for (const char* part :
         {"(posto 01943022)\n", "(anos hidrológicos de 1º de outubro,",
          "         5      2,00      5,00     10,00     25,00     50,00    100,00\n\nIntens",
          "         5      2,50      5,50     10,50     25,50     50,50    100,50\n",
          "    2001               80,50              2\n", "    2002: 40 dias em falta\n",
          "D = 0,2000, valor crítico a 5 % = 0,3900: o ajuste é "
          "aceito",
          "K = 836,6939  m = 0,1823  t0 = 11,827 min  n = 0,7580"}) {
        EXPECT_NE(accepted.find(part), std::string::npos) << part << "\n" << accepted;
    }
    analysis.gumbel.ksStatistic = 0.4;
    EXPECT_NE(rainAnalysisText(analysis, {}, kBrazilian).find("O TESTE REJEITA O AJUSTE"),
              std::string::npos);
    // As CSV, the JSON's parts one table after another, one byte-order mark at the start.
    const std::string csvStart =
        "\xEF\xBB\xBFyear;maxDailyMm;missingDays\n2001;80,5;2\n\nyearLeftOut;missingDays\n"
        "2002;40\n\nmeanMm;stdDevMm;ksStatistic;ksCritical5pct\n78,5;24,3;0,4;0,39\n\n"
        "K;m;t0;n;r2;sse\n836,69387;0,18226;11,827226;0,757954;0;0\n\ndurationMin;";
    EXPECT_EQ(rainAnalysisCsv(analysis, CsvStyle::spreadsheet()).substr(0, csvStart.size()),
              csvStart);
}

} // namespace
} // namespace report
