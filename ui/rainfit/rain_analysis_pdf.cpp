#include "ui/rainfit/rain_analysis_pdf.h"

#include "chart/pdf_page.h"
#include "chart/rain_analysis_chart.h"
#include "look/colours.h"
#include "look/fonts.h"
#include "numbers/number_format.h"
#include "report/rain_analysis_text.h"

#include <QBuffer>
#include <QChart>
#include <QGraphicsScene>
#include <QPainter>
#include <QPdfWriter>

namespace ui {

namespace {

// The page is laid out in these units (a landscape A4 at 96 per inch, less the margins).
constexpr double kPageWidth = 1030;
constexpr double kTextWidth = 600;
constexpr double kGap = 14;
// The chart is laid out as on the screen and drawn reduced into the column beside the text.
constexpr double kChartWidth = 620;
constexpr double kChartHeight = 560;

QString qText(const std::string& text) {
    return QString::fromStdString(text);
}

// The annual maxima on a few lines, and the years left out.
QString yearsParagraph(const rainfit::AnnualMaxima& maxima, const rainfit::YearRule& rule,
                       const report::NumberStyle& style) {
    QStringList years;
    for (const rainfit::YearMaximum& year : maxima.counted) {
        years.append(QStringLiteral("%1: %2").arg(year.year).arg(
            qText(report::formatPattern(year.maxDailyMm, report::Pattern::Plain3, style))));
    }
    QString text = QStringLiteral("Máximas diárias anuais (mm), %1 anos contados: ")
                       .arg(maxima.counted.size()) +
                   years.join(QStringLiteral(" · ")) +
                   QStringLiteral(".\nDeixados de fora (mais "
                                  "de %1 % dos dias em falta): ")
                       .arg(qText(report::formatPlain(rule.maxMissingPercent, style)));
    QStringList leftOut;
    for (const rainfit::YearLeftOut& year : maxima.leftOut) {
        leftOut.append(
            QStringLiteral("%1 (%2 dias em falta)").arg(year.year).arg(year.missingDays));
    }
    return text +
           (leftOut.isEmpty() ? QStringLiteral("nenhum") : leftOut.join(QStringLiteral(", "))) +
           QLatin1Char('.');
}

// Draws the text at the top of the box and answers how much height it took.
double paintText(QPainter& painter, const QRectF& box, const QString& text) {
    QRectF used;
    painter.drawText(box, Qt::TextWordWrap, text, &used);
    return used.height();
}

// The figures in a fixed-width face, so that the tables line up; a rejected fit in the notes'
// colour.
void paintFigures(QPainter& painter, const rainfit::RainAnalysis& analysis, double top,
                  const report::NumberStyle& style) {
    painter.setFont(look::reportFont(false));
    const QRectF column(0, top, kTextWidth, 1000);
    painter.setPen(analysis.gumbel.rejected() ? look::kNoteColour : QColor(Qt::black));
    const double gumbelHeight =
        paintText(painter, column, qText(report::gumbelSection(analysis.gumbel, style)).trimmed());
    painter.setPen(Qt::black);
    paintText(painter, column.adjusted(0, gumbelHeight, 0, 0),
              qText(report::equationSection(analysis.fit, style) +
                    report::intensitySection(analysis, false, style) +
                    report::intensitySection(analysis, true, style)));
}

// The chart beside the figures, drawn as laid out for the window and reduced to fit.
void paintChart(QPainter& painter, const rainfit::RainAnalysis& analysis, double top,
                const report::NumberStyle& style) {
    QGraphicsScene scene;
    QChart* intensity = chart::newIntensityChart(analysis, style).release();
    scene.addItem(intensity);
    intensity->setGeometry(QRectF(0, 0, kChartWidth, kChartHeight));
    const double chartWidth = kPageWidth - kTextWidth - kGap;
    scene.render(
        &painter,
        QRectF(kTextWidth + kGap, top, chartWidth, kChartHeight * chartWidth / kChartWidth),
        QRectF(0, 0, kChartWidth, kChartHeight));
}

} // namespace

QByteArray rainAnalysisPdf(const rainfit::RainAnalysis& analysis, const rainfit::YearRule& rule,
                           const QString& heading, const report::NumberStyle& style) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter pdf(&buffer);
    const QRect area =
        chart::setUpLandscapePdf(pdf, QStringLiteral("Chuvas intensas a partir de uma série"), 10);
    QPainter painter(&pdf);
    painter.scale(area.width() / kPageWidth, area.width() / kPageWidth);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);

    painter.setFont(look::chartFont(15, true));
    double top = paintText(painter, QRectF(0, 0, kPageWidth, 60),
                           QStringLiteral("Equação IDF ajustada a uma série de chuvas diárias – ") +
                               heading) +
                 6;
    painter.setFont(look::chartFont(10));
    top += paintText(painter, QRectF(0, top, kPageWidth, 200),
                     yearsParagraph(analysis.maxima, rule, style)) +
           8;

    paintFigures(painter, analysis, top, style);
    paintChart(painter, analysis, top, style);
    painter.end();
    return bytes;
}

} // namespace ui
