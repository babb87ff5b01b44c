#pragma once

#include "numbers/number_style.h"

#include <memory>

#include <QChart>
#include <QString>

namespace chart {

// An empty chart framed as the windows' small charts are: its title, the chart font, square
// corners, narrow margins, numbers in the style's separators and the legend below.
std::unique_ptr<QChart> newChart(const QString& title, const report::NumberStyle& style);

} // namespace chart
