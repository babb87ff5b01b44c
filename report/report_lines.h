#pragma once

#include "calc/record.h"
#include "report/number_style.h"

#include <string>
#include <string_view>
#include <vector>

namespace report {

inline constexpr int kReportLineCount = 47;

struct ReportLine {
    std::string text; // UTF-8, no line end
    bool bold = false;
};

// The 47 lines of the calculation report. The date-time text ("yyyy-MM-dd HH:mm:ss") is
// passed in so the lines depend on nothing but their arguments.
std::vector<ReportLine> composeReportLines(const calc::CalculationRecord& record,
                                           std::string_view riverText, std::string_view stationText,
                                           std::string_view dateTimeText, const NumberStyle& style);

} // namespace report
