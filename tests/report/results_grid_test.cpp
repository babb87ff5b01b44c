#include "report/results_grid.h"

#include "tests/report/worked_example.h"

#include <gtest/gtest.h>

#include <string>

namespace report {
namespace {

const NumberStyle kEnglish{".", ","};
const NumberStyle kBrazilian{",", "."};

std::string cell(const std::string& text) {
    return std::string(25 - text.size(), ' ') + text;
}

TEST(ResultsGrid, TimesAndFlowsRightAlignedInTwentyFive) {
    calc::CalculationInputs inputs = testing::workedExampleInputs();
    inputs.durationIndex = 0; // "5 min"
    const calc::CalculationRecord fiveMinutes = testing::computedRecord(inputs);
    EXPECT_EQ(gridTimeCell(fiveMinutes, 1, kEnglish), cell("0.08"));
    EXPECT_EQ(gridTimeCell(fiveMinutes, 2, kEnglish), cell("0.17"));
    EXPECT_EQ(gridTimeCell(fiveMinutes, 15, kBrazilian), cell("1,25"));

    inputs.durationIndex = 12; // "6 d"
    const calc::CalculationRecord sixDays = testing::computedRecord(inputs);
    EXPECT_EQ(gridTimeCell(sixDays, 15, kEnglish), cell("2,160.00"));
    EXPECT_EQ(gridTimeCell(sixDays, 15, kBrazilian), cell("2.160,00"));

    const calc::CalculationRecord example = testing::workedExampleRecord();
    EXPECT_EQ(gridFlowCell(example, 1, kEnglish), cell("0.00"));
    EXPECT_EQ(gridFlowCell(example, 8, kEnglish), cell("115.33"));
}

TEST(ResultsGrid, NegativeFlowShowsZeroWhileTheRecordKeepsIt) {
    calc::CalculationRecord record = testing::workedExampleRecord();
    record.totalFlow[3] = -0.5;
    record.totalFlow[4] = -1234.5;
    record.totalFlow[5] = 1234.5;
    EXPECT_EQ(gridFlowCell(record, 3, kEnglish), cell("0.00"));
    EXPECT_EQ(gridFlowCell(record, 4, kBrazilian), cell("0,00"));
    EXPECT_EQ(gridFlowCell(record, 5, kBrazilian), cell("1.234,50"));
    EXPECT_EQ(*record.totalFlow[3], -0.5);
}

TEST(ResultsGrid, RowsOutsideTheRunAndHugeValues) {
    calc::CalculationRecord record = testing::workedExampleRecord();
    EXPECT_EQ(gridTimeCell(record, 0, kEnglish), std::string(25, ' '));
    EXPECT_EQ(gridFlowCell(record, 16, kEnglish), std::string(25, ' '));
    record.totalFlow[2] = std::nullopt;
    EXPECT_EQ(gridFlowCell(record, 2, kEnglish), std::string(25, ' '));
    // Too wide for the cell: the decimals go, never integer digits.
    record.totalFlow[1] = 1e30;
    EXPECT_EQ(gridFlowCell(record, 1, kEnglish), "1,000,000,000,000,000,019,884,624,838,656");
    record.totalFlow[1] = 1e17;
    EXPECT_EQ(gridFlowCell(record, 1, kEnglish), "100,000,000,000,000,000.0");
}

} // namespace
} // namespace report
