#pragma once

#include "numbers/number_style.h"
#include "rainfit/rain_analysis.h"

#include <memory>

class QChart;

namespace chart {

// Intensity against duration, both on logarithmic axes: for each return period the fitted
// equation's curve and the intensities from the data as points, in the return period's colour.
std::unique_ptr<QChart> newIntensityChart(const rainfit::RainAnalysis& analysis,
                                          const report::NumberStyle& style);

} // namespace chart
