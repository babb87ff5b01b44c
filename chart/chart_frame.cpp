#include "chart/chart_frame.h"

#include "chart/hydrograph_chart.h"
#include "look/fonts.h"

#include <QLegend>

namespace chart {

std::unique_ptr<QChart> newChart(const QString& title, const report::NumberStyle& style) {
    auto chart = std::make_unique<QChart>();
    chart->setTitle(title);
    chart->setTitleFont(look::chartFont(14, true));
    chart->setBackgroundRoundness(0);
    chart->setMargins(QMargins(4, 4, 4, 4));
    chart->setLocalizeNumbers(true);
    chart->setLocale(chartLocale(style));
    chart->legend()->setAlignment(Qt::AlignBottom);
    chart->legend()->setFont(look::chartFont(11));
    return chart;
}

} // namespace chart
