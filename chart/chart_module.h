#pragma once

// What the chart module and its users share, in standard C++ only: zeb-calc includes this and
// never Qt, and loads the module (which links Qt) only when a chart is asked for.

#include "calc/record.h"
#include "numbers/number_style.h"
#include "util/failure.h"

#include <string>

namespace chart {

// The files the hydrograph figure is drawn as.
enum class FigureFormat { Png, Svg, Pdf };

// The module's drawing function: the bytes of the whole file of the figure of a record, its
// title naming the river, numbers written with the style's separators; or why it could not be
// drawn (an output failure, one sentence).
using DrawChartFunction = util::Result<std::string> (*)(const calc::CalculationRecord& record,
                                                        const std::string& riverText,
                                                        const report::NumberStyle& style,
                                                        FigureFormat format);

// The module exports one C function of this name and type, which hands out its drawing
// function.
using ChartModuleEntry = void (*)(DrawChartFunction*);
inline constexpr char kChartModuleEntryName[] = "zeb_chart_module_entry";

} // namespace chart
