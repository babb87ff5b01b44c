#pragma once

#include "calc/record.h"
#include "numbers/number_style.h"

#include <string>
#include <string_view>
#include <vector>

namespace report {

// The lines every report has; the limit notes follow them when any applies.
inline constexpr int kReportLineCount = 47;

struct ReportLine {
    std::string text; // UTF-8, no line end
    bool bold = false;
};

// The calculation report: its 47 lines, then, only when a limit note applies to the record
// (calc/limits.h), an empty line, "Observações:" and each note, wrapped at the width of the
// series lines. The date-time text ("yyyy-MM-dd HH:mm:ss") is passed in so the lines depend on
// nothing but their arguments.
std::vector<ReportLine> composeReportLines(const calc::CalculationRecord& record,
                                           calc::EquationMode mode, std::string_view riverText,
                                           std::string_view stationText,
                                           std::string_view dateTimeText, const NumberStyle& style);

// Line 5: where the rainfall relation's constants came from. In mode Automatic "Posto: " and
// the station's name; in mode Own "Equação própria: " and the record's K, a, b and c by the
// plain rule, since no station played a part. In mode Idf "Equação IDF: " and the equation's K,
// m, t0 and n by the same rule, followed by their units; or, when a station text is given (the
// equation came from a station), "Posto: " and its name. The label is right-aligned in 28.
std::string constantsSourceLine(calc::EquationMode mode, std::string_view stationText,
                                const calc::CalculationRecord& record, const NumberStyle& style);

} // namespace report
