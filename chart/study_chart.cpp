#include "chart/study_chart.h"

#include "calc/durations.h"
#include "chart/chart_frame.h"
#include "chart/hydrograph_chart.h"
#include "look/colours.h"
#include "look/fonts.h"
#include "numbers/number_format.h"

#include <algorithm>
#include <cmath>

#include <QCategoryAxis>
#include <QChart>
#include <QLegend>
#include <QLineSeries>
#include <QLogValueAxis>
#include <QPen>
#include <QScatterSeries>
#include <QValueAxis>

namespace chart {

namespace {

template <typename Axis> void styleAxis(Axis* axis, const QString& title) {
    axis->setTitleText(title);
    axis->setTitleFont(look::chartFont(12, true));
    axis->setLabelsFont(look::chartFont(11));
}

// A title is laid out as a text document: only a new one is worth that.
void setTitleIfNew(QChart& chart, const QString& title) {
    if (chart.title() != title) {
        chart.setTitle(title);
    }
}

// The curve's two series, empty, on the x axis given and a flow axis.
void addCurve(QChart& chart, QAbstractAxis* xAxis) {
    auto* flowAxis = new QValueAxis;
    styleAxis(flowAxis, QStringLiteral("Vazão de pico (m³/s)"));
    flowAxis->setLabelFormat(QStringLiteral("%.0f"));
    auto* peaks = new QLineSeries;
    peaks->setObjectName(QString::fromLatin1(study_series::kPeaks));
    peaks->setName(QStringLiteral("Vazão de pico"));
    peaks->setPen(QPen(look::kFloodColour, 2));
    peaks->setPointsVisible(true);
    auto* noted = new QScatterSeries;
    noted->setObjectName(QString::fromLatin1(study_series::kNoted));
    noted->setName(QStringLiteral("Com nota de limite"));
    noted->setColor(look::kPeakColour);
    noted->setBorderColor(look::kPeakColour);
    noted->setMarkerSize(9);
    chart.addAxis(xAxis, Qt::AlignBottom);
    chart.addAxis(flowAxis, Qt::AlignLeft);
    for (QXYSeries* series : {static_cast<QXYSeries*>(peaks), static_cast<QXYSeries*>(noted)}) {
        chart.addSeries(series);
        series->attachAxis(xAxis);
        series->attachAxis(flowAxis);
    }
}

// The curve through every point, and the noted points again in red on top of it. The chart
// keeps its items, so that a new study redraws without laying the chart out again.
void showCurve(QChart& chart, const std::vector<StudyPoint>& points) {
    QList<QPointF> all;
    QList<QPointF> noted;
    double highest = 0;
    for (const StudyPoint& point : points) {
        all.append(QPointF(point.x, point.peakFlowM3s));
        if (point.noted) {
            noted.append(all.back());
        }
        highest = std::max(highest, point.peakFlowM3s);
    }
    for (QAbstractSeries* series : chart.series()) {
        const bool isNoted = series->objectName() == QLatin1String(study_series::kNoted);
        static_cast<QXYSeries*>(series)->replace(isNoted ? noted : all);
    }
    auto* flowAxis = static_cast<QValueAxis*>(chart.axes(Qt::Vertical).value(0));
    flowAxis->setRange(0, highest > 0 ? highest * 1.1 : 1);
    flowAxis->applyNiceNumbers();
}

QString durationText(int index) {
    const std::string_view label = calc::durationLabels.at(static_cast<std::size_t>(index));
    return QString::fromUtf8(label.data(), static_cast<qsizetype>(label.size()));
}

} // namespace

std::unique_ptr<QChart> newPeakByReturnPeriodChart(const report::NumberStyle& style) {
    auto chart = newChart(QString(), style);
    auto* axis = new QLogValueAxis;
    styleAxis(axis, QStringLiteral("Tempo de recorrência (anos)"));
    axis->setBase(10);
    axis->setLabelFormat(QStringLiteral("%.0f"));
    axis->setMinorTickCount(8);
    addCurve(*chart, axis);
    return chart;
}

void showPeaksByReturnPeriod(QChart& chart, const std::vector<StudyPoint>& points,
                             const QString& durationLabel) {
    setTitleIfNew(
        chart, QStringLiteral("Vazão de pico × tempo de recorrência (D = %1)").arg(durationLabel));
    double lowest = 1;
    double highest = 10;
    for (const StudyPoint& point : points) {
        lowest = std::min(lowest, point.x);
        highest = std::max(highest, point.x);
    }
    // Whole decades, so that the labels are 1, 10, 100...
    chart.axes(Qt::Horizontal)
        .value(0)
        ->setRange(std::pow(10.0, std::floor(std::log10(lowest))),
                   std::pow(10.0, std::ceil(std::log10(highest))));
    showCurve(chart, points);
}

std::unique_ptr<QChart> newPeakByDurationChart(const report::NumberStyle& style) {
    auto chart = newChart(QString(), style);
    auto* axis = new QCategoryAxis;
    styleAxis(axis, QStringLiteral("Duração da chuva unitária"));
    // Each duration is a category one unit wide, centred on its list position, with its
    // label under it; thirteen of them fit across half a page in a small face.
    axis->setLabelsPosition(QCategoryAxis::AxisLabelsPositionCenter);
    axis->setLabelsFont(look::chartFont(9));
    axis->setStartValue(-0.5);
    for (int index = 0; index < calc::kDurationCount; ++index) {
        axis->append(durationText(index), index + 0.5);
    }
    axis->setRange(-0.5, calc::kDurationCount - 0.5);
    addCurve(*chart, axis);
    return chart;
}

void showPeaksByDuration(QChart& chart, const std::vector<StudyPoint>& points,
                         double returnPeriodYears, const report::NumberStyle& style) {
    setTitleIfNew(chart,
                  QStringLiteral("Vazão de pico × duração (TR = %1 anos)")
                      .arg(QString::fromStdString(report::formatPlain(returnPeriodYears, style))));
    showCurve(chart, points);
}

} // namespace chart
