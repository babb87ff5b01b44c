#pragma once

#include "calc/record.h"
#include "numbers/number_style.h"

#include <string>

namespace report {

inline constexpr int kGridCellWidth = 25;

// Texts of the results grid, rows 1..15: the time by "###,##0.00" and the total flow by the
// same pattern, a negative flow shown as 0.00; each right-aligned in 25 characters.
std::string gridTimeCell(const calc::CalculationRecord& record, int row, const NumberStyle& style);
std::string gridFlowCell(const calc::CalculationRecord& record, int row, const NumberStyle& style);

} // namespace report
