#include "chart/hydrograph_chart.h"

#include "calc/durations.h"
#include "calc/study.h"
#include "chart/fonts.h"
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

// Every value axis has this many intervals, so the flow axis's grid serves all three.
constexpr int kIntervals = 5;

// Shares of the plot's height: the storm's tallest block reaches down at most this far from
// the top, the flood's peak up at most this far from the bottom, so bars and lines rarely
// meet.
constexpr double kRainfallShare = 0.4;
constexpr double kFloodShare = 0.55;
constexpr double kUnitHydrographShare = 0.45;

const QColor kFloodColour(0x1a, 0x3e, 0x8c);
const QColor kUnitHydrographColour(0xd3, 0x6b, 0x00);
const QColor kExcessColour(0x2e, 0x86, 0xc1);
const QColor kLossColour(0xae, 0xd6, 0xf1);
const QColor kPeakColour(0xc0, 0x39, 0x2b);

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

QFont chartFont(int pixelSize, bool bold) {
    // Looked up once: the search through the font database costs more than a whole chart,
    // and the installed faces do not change while the program runs.
    static const QString family = firstInstalledFamily(
        {QStringLiteral("Arial"), QStringLiteral("Liberation Sans"), QStringLiteral("Arimo")});
    QFont font(family);
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    return font;
}

std::array<double, kSteps + 1> designStormRainfallMm(const CalculationRecord& record) {
    std::array<double, kSteps + 1> blocks{};
    for (int step = 1; step <= kSteps; ++step) {
        blocks[step] = entryOr0(record.cumulativeRainfallMm[step]) -
                       entryOr0(record.cumulativeRainfallMm[step - 1]);
    }
    return blocks;
}

std::unique_ptr<QChart> buildHydrographChart(const CalculationRecord& record,
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

    const double step = record.unitDurationH.value_or(1);
    const double endTime = step * kSteps;

    // Time runs along the bottom; the bars take a hidden axis of their own on which block i
    // is centred at i - 1, so that it spans (i - 1)·D to i·D on the time axis.
    auto* timeAxis = makeValueAxis(QStringLiteral("Tempo (h)"), Qt::black);
    timeAxis->setRange(0, endTime);
    timeAxis->setTickCount(kSteps + 1);
    timeAxis->setLabelFormat(labelFormat(step));
    timeAxis->setGridLineVisible(true);
    auto* blockAxis = new QValueAxis;
    blockAxis->setRange(-0.5, kSteps - 0.5);
    blockAxis->setVisible(false);

    auto* flowAxis = makeValueAxis(QStringLiteral("Vazão (m³/s)"), kFloodColour);
    flowAxis->setGridLineVisible(true);
    auto* unitAxis =
        makeValueAxis(QStringLiteral("Hidrograma unitário (m³/s/mm)"), kUnitHydrographColour);
    auto* rainAxis = makeValueAxis(QStringLiteral("Precipitação (mm)"), kExcessColour.darker(130));
    rainAxis->setReverse(true);

    chart->addAxis(timeAxis, Qt::AlignBottom);
    chart->addAxis(blockAxis, Qt::AlignTop);
    chart->addAxis(flowAxis, Qt::AlignLeft);
    chart->addAxis(unitAxis, Qt::AlignLeft);
    chart->addAxis(rainAxis, Qt::AlignRight);

    // The hyetograph: each block of the design storm hangs from the top, the losses first and
    // the excess below them, towards the flood it feeds; the whole bar is the step's rainfall.
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
    chart->addSeries(hyetograph);
    hyetograph->attachAxis(blockAxis);
    hyetograph->attachAxis(rainAxis);
    setRoundRange(rainAxis, 0, tallestBlock, kRainfallShare);

    // The unit hydrograph: its eight ordinates from 0 at time 0.
    QLineSeries* unit = lineFromOrigin(chart_series::kUnitHydrograph,
                                       QStringLiteral("Hidrograma unitário (m³/s/mm)"),
                                       QPen(kUnitHydrographColour, 2, Qt::DashLine));
    double unitPeak = 0;
    for (int k = 1; k <= calc::kUnitHydrographSize; ++k) {
        const double ordinate = static_cast<double>(record.unitHydrograph[k].value_or(0.0F));
        unit->append(entryOr0(record.timesH[k]), ordinate);
        unitPeak = std::max(unitPeak, ordinate);
    }
    chart->addSeries(unit);
    unit->attachAxis(timeAxis);
    unit->attachAxis(unitAxis);
    setRoundRange(unitAxis, 0, unitPeak, kUnitHydrographShare);

    // The flood hydrograph from 0 at time 0 through the 15 steps.
    QLineSeries* flood = lineFromOrigin(
        chart_series::kFlood, QStringLiteral("Hidrograma de cheia (m³/s)"), QPen(kFloodColour, 3));
    double lowestFlow = 0;
    for (int i = 1; i <= kSteps; ++i) {
        const double flow = entryOr0(record.totalFlow[i]);
        flood->append(entryOr0(record.timesH[i]), flow);
        lowestFlow = std::min(lowestFlow, flow);
    }
    chart->addSeries(flood);
    flood->attachAxis(timeAxis);
    flood->attachAxis(flowAxis);
    // The study's peak (the first occurrence of the largest flow); a flood that never rises
    // above zero has none to mark.
    const calc::RunSummary summary = calc::summarizeRun(record);
    const bool hasPeak = summary.peakFlowM3s > 0;
    const double peakFlow = hasPeak ? summary.peakFlowM3s : 0.0;
    setRoundRange(flowAxis, lowestFlow, peakFlow, kFloodShare);

    // The peak: a marker with its flow and time, and a dashed drop line to the time axis.
    if (hasPeak) {
        const double peakTime = summary.peakTimeH;
        const report::NumberStyle& style = caption.numberStyle;
        auto* dropLine = new QLineSeries;
        dropLine->setObjectName(QString::fromLatin1(chart_series::kPeakTime));
        dropLine->setPen(QPen(kPeakColour, 1.5, Qt::DotLine));
        dropLine->append(peakTime, 0);
        dropLine->append(peakTime, peakFlow);
        chart->addSeries(dropLine);
        dropLine->attachAxis(timeAxis);
        dropLine->attachAxis(flowAxis);
        hideFromLegend(*chart, dropLine);

        auto* peak = new QScatterSeries;
        peak->setObjectName(QString::fromLatin1(chart_series::kPeak));
        peak->setName(QStringLiteral("Vazão de pico"));
        peak->setMarkerShape(QScatterSeries::MarkerShapeCircle);
        peak->setMarkerSize(11);
        peak->setColor(kPeakColour);
        peak->setBorderColor(Qt::white);
        peak->append(peakTime, peakFlow);
        peak->setPointLabelsFormat(QStringLiteral("Pico: %1 m³/s em %2 h")
                                       .arg(QString::fromStdString(report::formatPattern(
                                                peakFlow, report::Pattern::Grouped, style)),
                                            QString::fromStdString(report::formatPattern(
                                                peakTime, report::Pattern::Plain3, style))));
        peak->setPointLabelsFont(chartFont(13, true));
        peak->setPointLabelsColor(kPeakColour);
        peak->setPointLabelsClipping(false);
        peak->setPointLabelsVisible(true);
        chart->addSeries(peak);
        peak->attachAxis(timeAxis);
        peak->attachAxis(flowAxis);
    }
    return chart;
}

} // namespace chart
