#pragma once

#include "calc/record.h"

#include <string>
#include <string_view>
#include <vector>

namespace report {

struct NamedSeries {
    std::string_view name; // the record's field name
    calc::Series values;
};

// The record's step series in record order, timesH first and totalFlow last, the unit
// hydrograph's single-precision ordinates widened to the exact doubles they enter the
// convolution as.
std::vector<NamedSeries> recordSeries(const calc::CalculationRecord& record);

// The series table: a header line of field names and one line per step 1..15, comma-separated,
// an empty field for an empty entry, numbers in their shortest exact form with a period, LF
// line ends. The command line and the window write these same bytes.
std::string recordCsv(const calc::CalculationRecord& record);

} // namespace report
