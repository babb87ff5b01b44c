#pragma once

#include "calc/record.h"
#include "report/number_style.h"

#include <functional>
#include <optional>
#include <string>

namespace cli {

enum class ChartFormat { Png, Svg, Pdf };

// Draws the hydrograph chart of a record as the whole bytes of a file of the format; none when
// it cannot be drawn. Drawing needs Qt's widgets, which the command's library does not link:
// the program hands in a renderer, and without one the chart formats are unavailable.
using ChartRenderer = std::function<std::optional<std::string>(
    const calc::CalculationRecord& record, const std::string& riverText,
    const report::NumberStyle& style, ChartFormat format)>;

// The renderer zeb-calc is built with: drawing offscreen, without a display. An empty function
// where the program is built without the windows.
ChartRenderer programChartRenderer();

} // namespace cli
