#include "chart/rain_analysis_chart.h"

#include "calc/design_storm.h"
#include "chart/chart_frame.h"
#include "chart/hydrograph_chart.h"
#include "look/colours.h"
#include "look/fonts.h"
#include "numbers/number_format.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include <QChart>
#include <QLegend>
#include <QLegendMarker>
#include <QLineSeries>
#include <QLogValueAxis>
#include <QPen>
#include <QScatterSeries>

namespace chart {

namespace {

// Points along each fitted curve, evenly spaced on the logarithmic duration axis.
constexpr int kCurveSteps = 48;

QLogValueAxis* newLogAxis(const QString& title, double lowest, double highest) {
    auto* axis = new QLogValueAxis;
    axis->setTitleText(title);
    axis->setTitleFont(look::chartFont(12, true));
    axis->setLabelsFont(look::chartFont(11));
    axis->setBase(10);
    axis->setLabelFormat(QStringLiteral("%.0f"));
    axis->setMinorTickCount(8);
    axis->setRange(lowest, highest);
    return axis;
}

void addSeries(QChart& chart, QXYSeries* series) {
    chart.addSeries(series);
    for (QAbstractAxis* axis : chart.axes()) {
        series->attachAxis(axis);
    }
}

// The equation's curve of one return period over the analysis's durations.
QLineSeries* fittedCurve(const calc::IdfEquation& equation, double years, const QColor& colour) {
    auto* curve = new QLineSeries;
    curve->setPen(QPen(colour, 2));
    const double first = std::log(rainfit::kDurationsMin.front());
    const double last = std::log(rainfit::kDurationsMin.back());
    for (int step = 0; step <= kCurveSteps; ++step) {
        const double minutes = std::exp(first + (last - first) * step / kCurveSteps);
        curve->append(minutes, calc::idfIntensity(equation, years, minutes));
    }
    return curve;
}

// The smallest and largest intensity, of the data and of the equation.
std::pair<double, double> intensityRange(const rainfit::RainAnalysis& analysis) {
    double lowest = analysis.points.empty() ? 1 : analysis.points.front().intensityMmH;
    double highest = lowest;
    for (const rainfit::IdfPoint& point : analysis.points) {
        for (const double value : {point.intensityMmH, point.fittedMmH}) {
            lowest = std::min(lowest, value);
            highest = std::max(highest, value);
        }
    }
    return {lowest, highest};
}

// A curve of the equation and the data's points for each return period, in its colour.
void addReturnPeriods(QChart& chart, const rainfit::RainAnalysis& analysis,
                      const report::NumberStyle& style) {
    const std::size_t periods = rainfit::kReturnPeriodsYears.size();
    for (std::size_t p = 0; p < periods; ++p) {
        const double years = rainfit::kReturnPeriodsYears[p];
        const QColor& colour = look::kReturnPeriodColours.at(p);
        QLineSeries* curve = fittedCurve(analysis.fit.equation, years, colour);
        curve->setName(QStringLiteral("TR %1 anos")
                           .arg(QString::fromStdString(report::formatPlain(years, style))));
        addSeries(chart, curve);
        auto* points = new QScatterSeries;
        points->setColor(colour);
        points->setBorderColor(colour);
        points->setMarkerSize(7);
        // The points' colour is the curve's: one legend entry a return period.
        for (std::size_t i = p; i < analysis.points.size(); i += periods) {
            points->append(analysis.points[i].durationMin, analysis.points[i].intensityMmH);
        }
        addSeries(chart, points);
        chart.legend()->markers(points).value(0)->setVisible(false);
    }
}

} // namespace

std::unique_ptr<QChart> newIntensityChart(const rainfit::RainAnalysis& analysis,
                                          const report::NumberStyle& style) {
    auto chart =
        newChart(QStringLiteral("Intensidade × duração: equação (linhas) e dados (pontos)"), style);

    const auto [lowest, highest] = intensityRange(analysis);
    // From a whole decade, so that the labels are 1, 10, 100...; the durations end at a day.
    chart->addAxis(newLogAxis(QStringLiteral("Duração (min)"), 1, 2000), Qt::AlignBottom);
    chart->addAxis(newLogAxis(QStringLiteral("Intensidade (mm/h)"),
                              std::pow(10.0, std::floor(std::log10(lowest))),
                              std::pow(10.0, std::ceil(std::log10(highest)))),
                   Qt::AlignLeft);

    addReturnPeriods(*chart, analysis, style);
    return chart;
}

} // namespace chart
