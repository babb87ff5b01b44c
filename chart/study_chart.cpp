#include "chart/study_chart.h"

#include "calc/durations.h"
#include "chart/hydrograph_chart.h"
#include "report/number_format.h"

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

const QColor kPeakColour(0x1a, 0x3e, 0x8c);
const QColor kNotedColour(0xc0, 0x39, 0x2b);

template <typename Axis> void styleAxis(Axis* axis, const QString& title) {
    axis->setTitleText(title);
    axis->setTitleFont(chartFont(12, true));
    axis->setLabelsFont(chartFont(11));
}

std::unique_ptr<QChart> newChart(const QString& title, const report::NumberStyle& style) {
    auto chart = std::make_unique<QChart>();
    chart->setTitle(title);
    chart->setTitleFont(chartFont(14, true));
    chart->setBackgroundRoundness(0);
    chart->setMargins(QMargins(4, 4, 4, 4));
    chart->setLocalizeNumbers(true);
    chart->setLocale(chartLocale(style));
    chart->legend()->setAlignment(Qt::AlignBottom);
    chart->legend()->setFont(chartFont(11));
    return chart;
}

// The curve through every point, and the noted points again in red on top of it.
void addCurve(QChart& chart, const std::vector<StudyPoint>& points, QAbstractAxis* xAxis) {
    auto* flowAxis = new QValueAxis;
    styleAxis(flowAxis, QStringLiteral("Vazão de pico (m³/s)"));
    double highest = 0;
    for (const StudyPoint& point : points) {
        highest = std::max(highest, point.peakFlowM3s);
    }
    flowAxis->setRange(0, highest > 0 ? highest * 1.1 : 1);
    flowAxis->setLabelFormat(QStringLiteral("%.0f"));
    flowAxis->applyNiceNumbers();

    auto* peaks = new QLineSeries;
    peaks->setObjectName(QString::fromLatin1(study_series::kPeaks));
    peaks->setName(QStringLiteral("Vazão de pico"));
    peaks->setPen(QPen(kPeakColour, 2));
    peaks->setPointsVisible(true);
    auto* noted = new QScatterSeries;
    noted->setObjectName(QString::fromLatin1(study_series::kNoted));
    noted->setName(QStringLiteral("Com nota de limite"));
    noted->setColor(kNotedColour);
    noted->setBorderColor(kNotedColour);
    noted->setMarkerSize(9);
    for (const StudyPoint& point : points) {
        peaks->append(point.x, point.peakFlowM3s);
        if (point.noted) {
            noted->append(point.x, point.peakFlowM3s);
        }
    }
    chart.addAxis(xAxis, Qt::AlignBottom);
    chart.addAxis(flowAxis, Qt::AlignLeft);
    for (QXYSeries* series : {static_cast<QXYSeries*>(peaks), static_cast<QXYSeries*>(noted)}) {
        chart.addSeries(series);
        series->attachAxis(xAxis);
        series->attachAxis(flowAxis);
    }
}

QString durationText(int index) {
    const std::string_view label = calc::durationLabels.at(static_cast<std::size_t>(index));
    return QString::fromUtf8(label.data(), static_cast<qsizetype>(label.size()));
}

} // namespace

std::unique_ptr<QChart> buildPeakByReturnPeriodChart(const std::vector<StudyPoint>& points,
                                                     const QString& durationLabel,
                                                     const report::NumberStyle& style) {
    auto chart = newChart(
        QStringLiteral("Vazão de pico × tempo de recorrência (D = %1)").arg(durationLabel), style);
    auto* axis = new QLogValueAxis;
    styleAxis(axis, QStringLiteral("Tempo de recorrência (anos)"));
    axis->setBase(10);
    axis->setLabelFormat(QStringLiteral("%.0f"));
    axis->setMinorTickCount(8);
    double lowest = 1;
    double highest = 10;
    for (const StudyPoint& point : points) {
        lowest = std::min(lowest, point.x);
        highest = std::max(highest, point.x);
    }
    // Whole decades, so that the labels are 1, 10, 100...
    axis->setRange(std::pow(10.0, std::floor(std::log10(lowest))),
                   std::pow(10.0, std::ceil(std::log10(highest))));
    addCurve(*chart, points, axis);
    return chart;
}

std::unique_ptr<QChart> buildPeakByDurationChart(const std::vector<StudyPoint>& points,
                                                 double returnPeriodYears,
                                                 const report::NumberStyle& style) {
    auto chart =
        newChart(QStringLiteral("Vazão de pico × duração (TR = %1 anos)")
                     .arg(QString::fromStdString(report::formatPlain(returnPeriodYears, style))),
                 style);
    auto* axis = new QCategoryAxis;
    styleAxis(axis, QStringLiteral("Duração da chuva unitária"));
    // Each duration is a category one unit wide, centred on its list position, with its
    // label under it; thirteen of them fit across half a page in a small face.
    axis->setLabelsPosition(QCategoryAxis::AxisLabelsPositionCenter);
    axis->setLabelsFont(chartFont(9));
    axis->setStartValue(-0.5);
    for (int index = 0; index < calc::kDurationCount; ++index) {
        axis->append(durationText(index), index + 0.5);
    }
    axis->setRange(-0.5, calc::kDurationCount - 0.5);
    addCurve(*chart, points, axis);
    return chart;
}

} // namespace chart
