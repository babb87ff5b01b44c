#include "report/report_lines.h"

#include "report/utf8.h"
#include "tests/report/worked_example.h"

#include <gtest/gtest.h>

#include <fstream>
#include <limits>
#include <sstream>
#include <string>
#include <vector>

namespace report {
namespace {

using testing::computedRecord;
using testing::workedExampleInputs;
using testing::workedExampleRecord;

const NumberStyle kEnglish{".", ","};
const NumberStyle kBrazilian{",", "."};
constexpr const char* kStamp = "2024-05-17 14:03:09";

std::vector<ReportLine> compose(const calc::CalculationRecord& record,
                                const NumberStyle& style = kEnglish,
                                std::string_view river = "Córrego do Exemplo",
                                std::string_view station = "Posto Ilustrativo") {
    return composeReportLines(record, river, station, kStamp, style);
}

// Line n (1-based), as the layout numbers them.
const std::string& line(const std::vector<ReportLine>& lines, std::size_t n) {
    return lines.at(n - 1).text;
}

// Characters [start, start + count) of a line; widths count characters, not bytes.
std::string slice(std::string_view text, std::size_t start, std::size_t count) {
    std::string part;
    for (std::size_t index = 0; !text.empty() && index < start + count; ++index) {
        const std::size_t length = readUtf8Character(text).length;
        if (index >= start) {
            part += text.substr(0, length);
        }
        text.remove_prefix(length);
    }
    return part;
}

// The value field of a figure line (7..19).
std::string figureValue(const std::string& text) {
    return slice(text, 28, 5);
}

// The seven-character field of step 1..15 on a series line.
std::string seriesField(const std::string& text, std::size_t step) {
    return slice(text, 40 + 7 * (step - 1), 7);
}

std::vector<std::string> readLines(const std::string& path) {
    std::ifstream file(path);
    std::vector<std::string> lines;
    for (std::string text; std::getline(file, text);) {
        lines.push_back(text);
    }
    return lines;
}

// Each line at its documented length, in characters.
void expectDocumentedLengths(const std::vector<ReportLine>& lines, std::size_t dateTimeLength,
                             std::size_t riverLength, std::size_t stationLength) {
    ASSERT_EQ(lines.size(), static_cast<std::size_t>(kReportLineCount));
    for (std::size_t n = 1; n <= lines.size(); ++n) {
        std::size_t expected = 145;
        if (n == 1) {
            expected = 130 + dateTimeLength;
        } else if (n == 2) {
            expected = 149;
        } else if (n == 3 || n == 22) {
            expected = 0;
        } else if (n == 4) {
            expected = 28 + riverLength;
        } else if (n == 5) {
            expected = 28 + stationLength;
        } else if (n <= 21) {
            expected = 41;
        }
        EXPECT_EQ(characterCount(line(lines, n)), expected) << "line " << n;
        EXPECT_EQ(lines[n - 1].bold, n == 21) << "line " << n;
    }
}

TEST(ReportLines, WorkedExampleMatchesTheAcceptedReport) {
    const std::vector<ReportLine> lines = compose(workedExampleRecord());
    const std::vector<std::string> expected =
        readLines(std::string(ZEB_TEST_DATA_DIR) + "/worked-example-report.txt");
    ASSERT_EQ(expected.size(), static_cast<std::size_t>(kReportLineCount));
    for (std::size_t n = 1; n <= expected.size(); ++n) {
        EXPECT_EQ(line(lines, n), expected[n - 1]) << "line " << n;
    }
}

TEST(ReportLines, EveryLineHasItsDocumentedLength) {
    expectDocumentedLengths(compose(workedExampleRecord()), 19, 18, 17);
    expectDocumentedLengths(compose(workedExampleRecord(), kBrazilian, "", ""), 19, 0, 0);
}

TEST(ReportLines, ReturnPeriodAlignsInFiveAndInThree) {
    const std::vector<ReportLine> lines = compose(workedExampleRecord());
    EXPECT_EQ(slice(line(lines, 19), 28, 5 + 8), "  100 anos   ");
    EXPECT_EQ(line(lines, 21), "Hidrograma de cheias para TR= 100 anos   ");

    calc::CalculationInputs inputs = workedExampleInputs();
    inputs.returnPeriodYears = 1000;
    const std::vector<ReportLine> wide = compose(computedRecord(inputs));
    EXPECT_EQ(figureValue(line(wide, 19)), " 1000");
    // Integer digits are never cut: the heading widens by one rather than read 100.
    EXPECT_EQ(line(wide, 21), "Hidrograma de cheias para TR= 1000 anos   ");
}

TEST(ReportLines, FiguresFillTheirFiveCharacters) {
    calc::CalculationRecord record = workedExampleRecord();
    record.drainageAreaKm2 = 125;
    record.channelLengthKm = 12.5;
    record.elevationDropM = 2.5;
    const std::vector<ReportLine> lines = compose(record);
    EXPECT_EQ(line(lines, 7).substr(28 - 18), "Área de drenagem: 125.0 km²    ");
    EXPECT_EQ(line(lines, 8).substr(28 - 25), "Comprimento do talvegue: 12.50 km     ");
    EXPECT_EQ(line(lines, 9).substr(28 - 10), "Desnível:  2.50 m      ");
    EXPECT_EQ(line(lines, 11).substr(28 - 19), "Curve Number (CN):    75        ");
}

TEST(ReportLines, FiveMinuteTimesAreCutToTheirFields) {
    calc::CalculationInputs inputs = workedExampleInputs();
    inputs.durationIndex = 0;
    const std::vector<ReportLine> lines = compose(computedRecord(inputs));
    EXPECT_EQ(figureValue(line(lines, 13)), "0.083");
    EXPECT_EQ(figureValue(line(lines, 17)), "0.083");
    EXPECT_EQ(seriesField(line(lines, 23), 1), "0.08333");
    EXPECT_EQ(seriesField(line(lines, 23), 15), "1.24999");
}

TEST(ReportLines, NegativeTotalFlowIsWrittenAsZero) {
    calc::CalculationRecord record = workedExampleRecord();
    record.totalFlow[1] = -0.004;
    record.totalFlow[2] = -12.5;
    record.totalFlow[3] = 0.0;
    record.totalFlow[4] = -0.0;
    record.convolutionTable[1][1] = -0.004;
    const std::vector<ReportLine> lines = compose(record);
    for (std::size_t step = 1; step <= 4; ++step) {
        EXPECT_EQ(seriesField(line(lines, 47), step), "   0.00") << "step " << step;
    }
    EXPECT_EQ(seriesField(line(lines, 32), 1), "  -0.00") << "only the total flow is clamped";
}

TEST(ReportLines, RegionalDecimalSeparatorAndNoGrouping) {
    calc::CalculationRecord record = workedExampleRecord();
    record.totalFlow[8] = 1234.5;
    const std::vector<ReportLine> lines = compose(record, kBrazilian);
    EXPECT_EQ(figureValue(line(lines, 7)), "50,00");
    EXPECT_EQ(seriesField(line(lines, 47), 8), "1234,50");
    for (std::size_t n = 6; n <= 47; ++n) {
        EXPECT_EQ(line(lines, n).find('.') == std::string::npos, n != 18 && n != 31)
            << "line " << n; // only the unit m³/s.mm holds a period
    }
}

TEST(ReportLines, RiverAndStationTextsAreWrittenWholeOnOneLine) {
    const std::string longName(300, 'x');
    const std::vector<ReportLine> lines =
        compose(workedExampleRecord(), kEnglish, longName, "Posto\r\nDois");
    EXPECT_EQ(line(lines, 4), std::string(23, ' ') + "Rio: " + longName);
    EXPECT_EQ(line(lines, 5), std::string(21, ' ') + "Posto: Posto  Dois");
    EXPECT_EQ(line(compose(workedExampleRecord(), kEnglish, ""), 4),
              std::string(23, ' ') + "Rio: ");
}

TEST(ReportLines, UnusualRecordsStillGiveFortySevenLines) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    calc::CalculationRecord empty;
    expectDocumentedLengths(compose(empty), 19, 18, 17);

    calc::CalculationRecord extreme = workedExampleRecord();
    extreme.drainageAreaKm2 = nan;
    extreme.curveNumber = -inf;
    extreme.timesH[1] = 1e300;
    extreme.totalFlow[1] = nan;
    extreme.convolutionTable[1][1] = -1e300;
    const std::vector<ReportLine> lines = compose(extreme);
    ASSERT_EQ(lines.size(), static_cast<std::size_t>(kReportLineCount));
    EXPECT_EQ(figureValue(line(lines, 7)), "  nan");
    EXPECT_EQ(figureValue(line(lines, 11)), " -inf");
    EXPECT_EQ(seriesField(line(lines, 23), 1), " 1e+300");
    EXPECT_EQ(seriesField(line(lines, 47), 1), "    nan");
    EXPECT_EQ(characterCount(line(lines, 32)), 145u + 301 - 7 + 1);
}

} // namespace
} // namespace report
