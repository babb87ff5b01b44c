#pragma once

#include "chart/chart_module.h"

#include <filesystem>
#include <functional>
#include <optional>
#include <string>

namespace cli {

// Draws the hydrograph chart of a record as the bytes of a file of the format.
using ChartRenderer = std::function<util::Result<std::string>(
    const calc::CalculationRecord& record, const std::string& riverText,
    const report::NumberStyle& style, chart::FigureFormat format)>;

// The chart is drawn by Qt Charts in a module of its own, loaded only when a chart is asked
// for: a program that links Qt spends far longer starting than a run takes, and the text
// formats need none of it.

// The renderer zeb-calc uses: the chart module found beside the program or in its installed
// place, loaded at the first chart.
ChartRenderer programChartRenderer(const std::optional<std::filesystem::path>& programFolder);

} // namespace cli
