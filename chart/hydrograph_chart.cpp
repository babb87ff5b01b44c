#include "chart/hydrograph_chart.h"

#include "calc/durations.h"
#include "calc/study.h"
#include "look/colours.h"
#include "look/fonts.h"
#include "numbers/number_format.h"

#include <algorithm>
#include <cmath>

#include <QBarSet>
#include <QChart>
#include <QLegend>
#include <QLegendMarker>
#include <QLineSeries>
#include <QLocale>
#include <QPen>
#include <QScatterSeries>
#include <QStackedBarSeries>
#include <QValueAxis>

namespace chart {

namespace {

using calc::CalculationRecord;
using calc::kSteps;
using look::chartFont;
using look::kExcessColour;
using look::kFloodColour;
using look::kLossColour;
using look::kPeakColour;
using look::kUnitHydrographColour;

// Every value axis has this many intervals, so the flow axis's grid serves all three.
constexpr int kIntervals = 5;

// Shares of the plot's height: the storm's tallest block reaches down at most this far from
// the top, the flood's peak up at most this far from the bottom, so bars and lines rarely
// meet.
constexpr double kRainfallShare = 0.4;
constexpr double kFloodShare = 0.55;
constexpr double kUnitHydrographShare = 0.45;

// The smallest of 1, 2, 2.5 and 5 times a power of ten that is at least `raw`.
double roundStepAbove(double raw) {
    if (!(raw > 0) || !std::isfinite(raw)) {
        return 1;
    }
    const double magnitude = std::pow(10.0, std::floor(std::log10(raw)));
    for (const double multiple : {1.0, 2.0, 2.5, 5.0}) {
        if (multiple * magnitude >= raw) {
            return multiple * magnitude;
        }
    }
    return 10 * magnitude;
}

// Decimals that show every multiple of the step exactly (at most 3).
int decimalsFor(double step) {
    for (int decimals = 0; decimals < 3; ++decimals) {
        const double scaled = step * std::pow(10.0, decimals);
        if (std::abs(scaled - std::round(scaled)) < 1e-6 * scaled) {
            return decimals;
        }
    }
    return 3;
}

// A line series with its points shown, from 0 at time 0.
QLineSeries* lineFromOrigin(const char* objectName, const QString& name, const QPen& pen) {
    auto* series = new QLineSeries;
    series->setObjectName(QString::fromLatin1(objectName));
    series->setName(name);
    series->setPen(pen);
    series->setPointsVisible(true);
    series->append(0, 0);
    return series;
}

QString labelFormat(double step) {
    return QStringLiteral("%.%1f").arg(decimalsFor(step));
}

// A value axis from 0 (or below, for negative values) in round steps, whose top puts
// `highest` at `share` of the axis's height.
void setRoundRange(QValueAxis* axis, double lowest, double highest, double share) {
    const double step = roundStepAbove(std::max(highest, 0.0) / share / kIntervals);
    const double bottom = lowest < 0 ? -std::ceil(-lowest / step) * step : 0.0;
    const double top = step * kIntervals;
    axis->setRange(bottom, top);
    axis->setTickCount(static_cast<int>(std::lround((top - bottom) / step)) + 1);
    axis->setLabelFormat(labelFormat(step));
}

QValueAxis* makeValueAxis(const QString& title, const QColor& colour) {
    auto* axis = new QValueAxis;
    axis->setTitleText(title);
    axis->setTitleFont(chartFont(13, true));
    axis->setLabelsFont(chartFont(12));
    axis->setTitleBrush(colour);
    axis->setLabelsColor(colour);
    axis->setLinePenColor(colour);
    axis->setGridLineVisible(false);
    axis->setMinorGridLineVisible(false);
    return axis;
}

double entryOr0(const calc::Entry& entry) {
    return entry.value_or(0);
}

QString chartTitle(const CalculationRecord& record, const HydrographCaption& caption) {
    const report::NumberStyle& style = caption.numberStyle;
    QString title = QStringLiteral("Hidrograma de cheia de projeto");
    if (!caption.river.trimmed().isEmpty()) {
        title += QStringLiteral(" – ") + caption.river.trimmed().toHtmlEscaped();
    }
    const auto plain = [&style](const calc::Entry& entry) {
        return entry ? QString::fromStdString(report::formatPlain(*entry, style))
                     : QStringLiteral("–");
    };
    const std::string_view duration =
        calc::durationLabels.at(static_cast<std::size_t>(record.durationIndex));
    const QString details =
        QStringLiteral("TR = %1 anos   ·   D = %2   ·   A = %3 km²   ·   CN = %4   ·   tc = %5 h")
            .arg(plain(record.returnPeriodYears),
                 QString::fromUtf8(duration.data(), static_cast<qsizetype>(duration.size())),
                 plain(record.drainageAreaKm2), plain(record.curveNumber),
                 QString::fromStdString(report::formatPattern(record.concentrationTimeH,
                                                              report::Pattern::Plain3, style)));
    return QStringLiteral("<b>%1</b><br><span style=\"font-size:13px; font-weight:normal\">%2"
                          "</span>")
        .arg(title, details);
}

void hideFromLegend(QChart& chart, QAbstractSeries* series) {
    for (QLegendMarker* marker : chart.legend()->markers(series)) {
        marker->setVisible(false);
    }
}

} // namespace

QLocale chartLocale(const report::NumberStyle& style) {
    QLocale locale = style.decimalSeparator == ","
                         ? QLocale(QLocale::Portuguese, QLocale::Brazil)
                         : QLocale(QLocale::English, QLocale::UnitedStates);
    locale.setNumberOptions(QLocale::OmitGroupSeparator);
    return locale;
}

std::array<double, kSteps + 1> designStormRainfallMm(const CalculationRecord& record) {
    std::array<double, kSteps + 1> blocks{};
    for (int step = 1; step <= kSteps; ++step) {
        blocks[step] = entryOr0(record.cumulativeRainfallMm[step]) -
                       entryOr0(record.cumulativeRainfallMm[step - 1]);
    }
    return blocks;
}

namespace {

// The chart's axes: time along the bottom, a hidden one for the bars, flows and the unit
// hydrograph on the left, rainfall hanging from the top on the right.
struct ChartAxes {
    QValueAxis* time;
    QValueAxis* blocks;
    QValueAxis* flow;
    QValueAxis* unitHydrograph;
    QValueAxis* rainfall;
};

std::unique_ptr<QChart> emptyChart(const CalculationRecord& record,
                                   const HydrographCaption& caption) {
    auto chart = std::make_unique<QChart>();
    chart->setTitle(chartTitle(record, caption));
    chart->setTitleFont(chartFont(17, true));
    chart->setTitleBrush(Qt::black);
    chart->setLocalizeNumbers(true);
    chart->setLocale(chartLocale(caption.numberStyle));
    chart->setBackgroundRoundness(0);
    chart->setMargins(QMargins(8, 4, 8, 4));
    chart->legend()->setAlignment(Qt::AlignBottom);
    chart->legend()->setFont(chartFont(12));
    return chart;
}

ChartAxes addAxes(QChart& chart, double step) {
    // Time runs along the bottom; the bars take a hidden axis of their own on which block i
    // is centred at i - 1, so that it spans (i - 1)·D to i·D on the time axis.
    ChartAxes axes{};
    axes.time = makeValueAxis(QStringLiteral("Tempo (h)"), Qt::black);
    axes.time->setRange(0, step * kSteps);
    axes.time->setTickCount(kSteps + 1);
    axes.time->setLabelFormat(labelFormat(step));
    axes.time->setGridLineVisible(true);
    axes.blocks = new QValueAxis;
    axes.blocks->setRange(-0.5, kSteps - 0.5);
    axes.blocks->setVisible(false);

    axes.flow = makeValueAxis(QStringLiteral("Vazão (m³/s)"), kFloodColour);
    axes.flow->setGridLineVisible(true);
    axes.unitHydrograph =
        makeValueAxis(QStringLiteral("Hidrograma unitário (m³/s/mm)"), kUnitHydrographColour);
    axes.rainfall = makeValueAxis(QStringLiteral("Precipitação (mm)"), kExcessColour.darker(130));
    axes.rainfall->setReverse(true);

    chart.addAxis(axes.time, Qt::AlignBottom);
    chart.addAxis(axes.blocks, Qt::AlignTop);
    chart.addAxis(axes.flow, Qt::AlignLeft);
    chart.addAxis(axes.unitHydrograph, Qt::AlignLeft);
    chart.addAxis(axes.rainfall, Qt::AlignRight);
    return axes;
}

// The hyetograph: each block of the design storm hangs from the top, the losses first and
// the excess below them, towards the flood it feeds; the whole bar is the step's rainfall.
void addHyetograph(QChart& chart, const ChartAxes& axes, const CalculationRecord& record) {
    const std::array<double, kSteps + 1> rainfall = designStormRainfallMm(record);
    auto* excess = new QBarSet(QStringLiteral("Precipitação efetiva (mm)"));
    auto* losses = new QBarSet(QStringLiteral("Perdas (mm)"));
    double tallestBlock = 0;
    for (int i = 1; i <= kSteps; ++i) {
        const double e = entryOr0(record.incrementalEffectiveRainfallMm[i]);
        excess->append(e);
        // Never below 0: where all of the block runs off, rounding may leave a trace.
        losses->append(std::max(0.0, rainfall[i] - e));
        tallestBlock = std::max({tallestBlock, rainfall[i], e});
    }
    for (QBarSet* set : {excess, losses}) {
        set->setBorderColor(Qt::white);
    }
    excess->setColor(kExcessColour);
    losses->setColor(kLossColour);
    auto* hyetograph = new QStackedBarSeries;
    hyetograph->setObjectName(QString::fromLatin1(chart_series::kRainfall));
    hyetograph->setBarWidth(1.0);
    hyetograph->append(losses);
    hyetograph->append(excess);
    chart.addSeries(hyetograph);
    hyetograph->attachAxis(axes.blocks);
    hyetograph->attachAxis(axes.rainfall);
    setRoundRange(axes.rainfall, 0, tallestBlock, kRainfallShare);
}

// The unit hydrograph: its eight ordinates from 0 at time 0.
void addUnitHydrograph(QChart& chart, const ChartAxes& axes, const CalculationRecord& record) {
    QLineSeries* unit = lineFromOrigin(chart_series::kUnitHydrograph,
                                       QStringLiteral("Hidrograma unitário (m³/s/mm)"),
                                       QPen(kUnitHydrographColour, 2, Qt::DashLine));
    double unitPeak = 0;
    for (int k = 1; k <= calc::kUnitHydrographSize; ++k) {
        const double ordinate = static_cast<double>(record.unitHydrograph[k].value_or(0.0F));
        unit->append(entryOr0(record.timesH[k]), ordinate);
        unitPeak = std::max(unitPeak, ordinate);
    }
    chart.addSeries(unit);
    unit->attachAxis(axes.time);
    unit->attachAxis(axes.unitHydrograph);
    setRoundRange(axes.unitHydrograph, 0, unitPeak, kUnitHydrographShare);
}

// The flood hydrograph from 0 at time 0 through the 15 steps; its axis leaves room for the
// peak (0 when the flood never rises above zero).
void addFlood(QChart& chart, const ChartAxes& axes, const CalculationRecord& record,
              double peakFlow) {
    QLineSeries* flood = lineFromOrigin(
        chart_series::kFlood, QStringLiteral("Hidrograma de cheia (m³/s)"), QPen(kFloodColour, 3));
    double lowestFlow = 0;
    for (int i = 1; i <= kSteps; ++i) {
        const double flow = entryOr0(record.totalFlow[i]);
        flood->append(entryOr0(record.timesH[i]), flow);
        lowestFlow = std::min(lowestFlow, flow);
    }
    chart.addSeries(flood);
    flood->attachAxis(axes.time);
    flood->attachAxis(axes.flow);
    setRoundRange(axes.flow, lowestFlow, peakFlow, kFloodShare);
}

// The peak: a marker with its flow and time, and a dashed drop line to the time axis.
void addPeak(QChart& chart, const ChartAxes& axes, const calc::RunSummary& peak,
             const report::NumberStyle& style) {
    auto* dropLine = new QLineSeries;
    dropLine->setObjectName(QString::fromLatin1(chart_series::kPeakTime));
    dropLine->setPen(QPen(kPeakColour, 1.5, Qt::DotLine));
    dropLine->append(peak.peakTimeH, 0);
    dropLine->append(peak.peakTimeH, peak.peakFlowM3s);
    chart.addSeries(dropLine);
    dropLine->attachAxis(axes.time);
    dropLine->attachAxis(axes.flow);
    hideFromLegend(chart, dropLine);

    auto* marker = new QScatterSeries;
    marker->setObjectName(QString::fromLatin1(chart_series::kPeak));
    marker->setName(QStringLiteral("Vazão de pico"));
    marker->setMarkerShape(QScatterSeries::MarkerShapeCircle);
    marker->setMarkerSize(11);
    marker->setColor(kPeakColour);
    marker->setBorderColor(Qt::white);
    marker->append(peak.peakTimeH, peak.peakFlowM3s);
    marker->setPointLabelsFormat(QStringLiteral("Pico: %1 m³/s em %2 h")
                                     .arg(QString::fromStdString(report::formatPattern(
                                              peak.peakFlowM3s, report::Pattern::Grouped, style)),
                                          QString::fromStdString(report::formatPattern(
                                              peak.peakTimeH, report::Pattern::Plain3, style))));
    marker->setPointLabelsFont(chartFont(13, true));
    marker->setPointLabelsColor(kPeakColour);
    marker->setPointLabelsClipping(false);
    marker->setPointLabelsVisible(true);
    chart.addSeries(marker);
    marker->attachAxis(axes.time);
    marker->attachAxis(axes.flow);
}

} // namespace

std::unique_ptr<QChart> buildHydrographChart(const CalculationRecord& record,
                                             const HydrographCaption& caption) {
    std::unique_ptr<QChart> chart = emptyChart(record, caption);
    const ChartAxes axes = addAxes(*chart, record.unitDurationH.value_or(1));
    addHyetograph(*chart, axes, record);
    addUnitHydrograph(*chart, axes, record);
    // The study's peak (the first occurrence of the largest flow); a flood that never rises
    // above zero has none to mark.
    const calc::RunSummary summary = calc::summarizeRun(record);
    const bool hasPeak = summary.peakFlowM3s > 0;
    addFlood(*chart, axes, record, hasPeak ? summary.peakFlowM3s : 0.0);
    if (hasPeak) {
        addPeak(*chart, axes, summary, caption.numberStyle);
    }
    return chart;
}

} // namespace chart
