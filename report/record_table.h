#pragma once

#include "calc/record.h"
#include "report/csv_style.h"

#include <string>

namespace report {

// The machine-readable exports of a record, fields named as in calc/record_fields.h, numbers in
// their shortest exact form with a period (the CSV's spreadsheet form: its decimal comma), an
// empty entry as nothing (CSV) or null (JSON). The
// unit hydrograph's single-precision ordinates are written as the exact doubles they enter the
// convolution as. The command line and the window write these same bytes.

// The series table: a header line of field names and one line per step 1..15, fields separated
// as the style says, LF line ends.
std::string recordCsv(const calc::CalculationRecord& record, const CsvStyle& style = {});

// The whole record as one JSON object {"record": {...}}: every field by its name, series as
// 15-element arrays (entries 1..15), the convolution table as 16 rows of 16.
std::string recordJson(const calc::CalculationRecord& record);

} // namespace report
