#pragma once

#include "calc/record.h"
#include "numbers/number_style.h"

#include <array>
#include <memory>

#include <QFont>
#include <QLocale>
#include <QString>

class QChart;

namespace chart {

// What the figure says besides the record's numbers.
struct HydrographCaption {
    QString river; // empty: the title names no river
    report::NumberStyle numberStyle;
};

// The object names of the chart's series, by which tests and the window find them.
namespace chart_series {
inline constexpr char kFlood[] = "floodHydrograph";
inline constexpr char kUnitHydrograph[] = "unitHydrograph";
inline constexpr char kRainfall[] = "hyetograph"; // stacked: excess, then losses
inline constexpr char kPeak[] = "peakFlow";
inline constexpr char kPeakTime[] = "peakTime";
} // namespace chart_series

// The locale a chart's axis labels are written in: the separators of the report; no grouping,
// which the labels' short numbers do not need.
QLocale chartLocale(const report::NumberStyle& style);

// The design storm's rainfall of each step 1..15 (entry 0 unused): the increment of the
// cumulative design storm, C_i - C_(i-1) with C_0 = 0. For steps 1..6 that is the reordered
// block, after them the reduced rainfall's own increment; it is the depth the step's excess
// is taken from, so the excess never exceeds it. An empty entry counts as 0.
std::array<double, calc::kSteps + 1> designStormRainfallMm(const calc::CalculationRecord& record);

// The classic figure of a flood study: the flood hydrograph (from 0 at time 0 through the 15
// steps) and the unit hydrograph on one time axis, each on its own value axis, and from the
// top, on a reversed axis, the design storm's blocks split into rainfall excess and losses.
// The peak flow and its time are marked. Axis titles and legend in Portuguese with units.
std::unique_ptr<QChart> buildHydrographChart(const calc::CalculationRecord& record,
                                             const HydrographCaption& caption);

} // namespace chart
