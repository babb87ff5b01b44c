#pragma once

#include "calc/record.h"
#include "report/number_style.h"

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <variant>

namespace cli {

enum class ChartFormat { Png, Svg, Pdf };

struct DrawnChart {
    std::string bytes; // the whole file
};
struct ChartFailure {
    std::string message; // Portuguese, for stderr
};
using ChartResult = std::variant<DrawnChart, ChartFailure>;

// Draws the hydrograph chart of a record as the bytes of a file of the format.
using ChartRenderer =
    std::function<ChartResult(const calc::CalculationRecord& record, const std::string& riverText,
                              const report::NumberStyle& style, ChartFormat format)>;

// The chart is drawn by Qt Charts in a module of its own, loaded only when a chart is asked
// for: a program that links Qt spends far longer starting than a run takes, and the text
// formats need none of it. The module exports this entry, which hands out its drawing
// function.
using DrawChartFunction = ChartResult (*)(const calc::CalculationRecord&, const std::string&,
                                          const report::NumberStyle&, ChartFormat);
using ChartModuleEntry = void (*)(DrawChartFunction*);
inline constexpr char kChartModuleEntryName[] = "zeb_chart_module_entry";
inline constexpr char kChartModuleFileName[] = "zeb-calc-chart.so";

// The renderer zeb-calc uses: the chart module found beside the program or in its installed
// place, loaded at the first chart.
ChartRenderer programChartRenderer(const std::optional<std::filesystem::path>& programFolder);

} // namespace cli
