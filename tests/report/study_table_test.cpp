#include "report/study_table.h"

#include <gtest/gtest.h>

namespace {

TEST(StudyTable, CsvAndJsonGoldenBytes) {
    const std::vector<calc::StudyCell> cells = {
        {3, 100, calc::RunSummary{115.33, 8, 68.55, true, true}},
        {12, 0.5, calc::RunSummary{0.1, 144, 0, false, false}},
    };
    EXPECT_EQ(report::studyCsv(cells),
              "duration,returnPeriodYears,peakFlowM3s,peakTimeH,effectiveRainfallMm,"
              "floodNotReceded,unitHydrographCut\n"
              "1 h,100,115.33,8,68.55,1,1\n"
              "6 d,0.5,0.1,144,0,0,0\n");
    // For a spreadsheet set to a decimal comma, as the window writes it for such a locale.
    const report::CsvStyle spreadsheet = report::CsvStyle::forNumberStyle({",", "."});
    EXPECT_EQ(report::studyCsv(cells, spreadsheet),
              "\xEF\xBB\xBF"
              "duration;returnPeriodYears;peakFlowM3s;peakTimeH;effectiveRainfallMm;"
              "floodNotReceded;unitHydrographCut\n"
              "1 h;100;115,33;8;68,55;1;1\n"
              "6 d;0,5;0,1;144;0;0;0\n");
    EXPECT_EQ(report::CsvStyle::forNumberStyle({".", ","}), report::CsvStyle::standard());
    EXPECT_EQ(report::studyJson(cells),
              "{\n  \"study\": [\n"
              "    {\"duration\": \"1 h\", \"returnPeriodYears\": 100, \"peakFlowM3s\": 115.33, "
              "\"peakTimeH\": 8, \"effectiveRainfallMm\": 68.55, \"floodNotReceded\": true, "
              "\"unitHydrographCut\": true},\n"
              "    {\"duration\": \"6 d\", \"returnPeriodYears\": 0.5, \"peakFlowM3s\": 0.1, "
              "\"peakTimeH\": 144, \"effectiveRainfallMm\": 0, \"floodNotReceded\": false, "
              "\"unitHydrographCut\": false}\n"
              "  ]\n}\n");
}

} // namespace
