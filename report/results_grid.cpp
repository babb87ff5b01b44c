#include "report/results_grid.h"

#include "numbers/number_format.h"
#include "report/fixed_field.h"

namespace report {

namespace {

std::string grouped(double value, const NumberStyle& style) {
    return formatPattern(value, Pattern::WideGrouped, style);
}

// A negative flow is shown as zero, by the ungrouped pattern.
std::string groupedFlow(double value, const NumberStyle& style) {
    return value < 0 ? formatPattern(0.0, Pattern::Plain3, style) : grouped(value, style);
}

std::string gridCell(const calc::Series& series, int row, ValueFormatter format,
                     const NumberStyle& style) {
    if (row < 1 || row > calc::kSteps) {
        return std::string(kGridCellWidth, ' ');
    }
    return valueField(series[static_cast<std::size_t>(row)], kGridCellWidth, format, style);
}

} // namespace

std::string gridTimeCell(const calc::CalculationRecord& record, int row, const NumberStyle& style) {
    return gridCell(record.timesH, row, grouped, style);
}

std::string gridFlowCell(const calc::CalculationRecord& record, int row, const NumberStyle& style) {
    return gridCell(record.totalFlow, row, groupedFlow, style);
}

} // namespace report
