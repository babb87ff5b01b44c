#pragma once

#include "calc/record.h"

#include <string>

namespace cli {

// The whole record as one JSON object {"record": {...}}: every field by its name, series as
// 15-element arrays (entries 1..15), the convolution table as 16 rows of 16, null for every
// empty entry, numbers in their shortest exact form. The unit hydrograph's single-precision
// ordinates are written as the exact doubles they enter the convolution as.
std::string recordJson(const calc::CalculationRecord& record);

} // namespace cli
