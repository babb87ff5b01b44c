// The series table both the command line and the window write.

#include "report/record_table.h"

#include "calc/calculation.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>
#include <variant>
#include <vector>

namespace report {
namespace {

calc::CalculationRecord workedExample() {
    calc::CalculationInputs inputs;
    inputs.durationIndex = 3;
    inputs.curveNumber = 75;
    inputs.drainageAreaKm2 = 50;
    inputs.returnPeriodYears = 100;
    inputs.concentrationTimeH = 6;
    inputs.station = calc::StationCoefficients{0.2, 25, 20, -0.04, 0.08, 0.08, 0.08};
    return std::get<calc::CalculationRecord>(calc::computeCalculationRecord(inputs));
}

TEST(RecordCsv, HeaderAndFifteenRows) {
    const calc::CalculationRecord r = workedExample();
    const std::string csv = recordCsv(r);
    std::stringstream lines(csv);
    std::vector<std::string> rows;
    for (std::string line; std::getline(lines, line);) {
        rows.push_back(line);
    }
    ASSERT_EQ(rows.size(), 16u);
    EXPECT_EQ(rows[0], "timesH,pointRainfallMm,reducedRainfallMm,incrementalRainfallMm,"
                       "reorderedRainfallMm,cumulativeRainfallMm,effectiveRainfallMm,"
                       "incrementalEffectiveRainfallMm,unitHydrograph,totalFlow");
    for (std::size_t i = 1; i < rows.size(); ++i) {
        EXPECT_EQ(std::count(rows[i].begin(), rows[i].end(), ','), 9) << "row " << i;
    }
    EXPECT_EQ(rows[8].rfind("8,", 0), 0u);
    // Step 9: no increment, no reordered block, no ordinate; the flow exactly as computed.
    EXPECT_NE(rows[9].find(",,,"), std::string::npos);
    EXPECT_EQ(rows[15].substr(rows[15].rfind(',') + 1), "26.318760182647214");
    EXPECT_EQ(csv.find('\r'), std::string::npos);
}

TEST(RecordCsv, EmptyRecordHasOnlyEmptyFields) {
    const std::string csv = recordCsv(calc::CalculationRecord{});
    EXPECT_NE(csv.find("\n,,,,,,,,,\n"), std::string::npos);
    EXPECT_EQ(std::count(csv.begin(), csv.end(), '\n'), 16);
}

} // namespace
} // namespace report
