#include "chart/hydrograph_figure.h"

#include "calc/limits.h"
#include "chart/pdf_page.h"
#include "look/colours.h"
#include "look/fonts.h"

#include <algorithm>
#include <cmath>
#include <memory>

#include <QBuffer>
#include <QChart>
#include <QFontMetricsF>
#include <QGraphicsScene>
#include <QImage>
#include <QPainter>
#include <QPdfWriter>
#include <QSvgGenerator>

namespace chart {

namespace {

// The layout, in pixels at 96 dots per inch.
constexpr double kFigureWidth = 1100;
constexpr double kChartHeight = 700;
constexpr double kNoteMargin = 16;
constexpr double kNoteSpacing = 6;
constexpr int kDotsPerInch = 96;
// A PNG twice as fine as the layout, so that its text stays sharp when printed or zoomed.
constexpr double kImageScale = 2;

QFont noteFont() {
    return look::chartFont(14);
}

QRectF noteArea() {
    return QRectF(kNoteMargin, 0, kFigureWidth - 2 * kNoteMargin, 1e6);
}

double notesHeight(const QStringList& notes) {
    if (notes.isEmpty()) {
        return 0;
    }
    const QFontMetricsF metrics(noteFont());
    double height = kNoteSpacing;
    for (const QString& note : notes) {
        height += metrics.boundingRect(noteArea(), Qt::TextWordWrap, note).height() + kNoteSpacing;
    }
    return height + kNoteMargin;
}

} // namespace

QStringList figureNotes(const calc::CalculationRecord& record) {
    QStringList notes;
    for (const std::string& note : calc::limitNotes(record)) {
        notes.append(QStringLiteral("Atenção: ") + QString::fromStdString(note));
    }
    return notes;
}

QSizeF hydrographFigureSize(const calc::CalculationRecord& record) {
    return QSizeF(kFigureWidth, kChartHeight + notesHeight(figureNotes(record)));
}

void paintHydrographFigure(QPainter& painter, const QRectF& target,
                           const calc::CalculationRecord& record,
                           const HydrographCaption& caption) {
    const QStringList notes = figureNotes(record);
    const QSizeF size(kFigureWidth, kChartHeight + notesHeight(notes));
    const double scale = std::min(target.width() / size.width(), target.height() / size.height());

    // The scene owns the chart and lays it out at the figure's size.
    QGraphicsScene scene;
    QChart* chart = buildHydrographChart(record, caption).release();
    scene.addItem(chart);
    chart->setGeometry(QRectF(QPointF(0, 0), QSizeF(kFigureWidth, kChartHeight)));

    painter.save();
    painter.translate(target.left() + (target.width() - size.width() * scale) / 2, target.top());
    painter.scale(scale, scale);
    painter.fillRect(QRectF(QPointF(0, 0), size), Qt::white);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    const QRectF chartRect(0, 0, kFigureWidth, kChartHeight);
    scene.render(&painter, chartRect, chartRect);

    painter.setFont(noteFont());
    painter.setPen(look::kNoteColour);
    double top = kChartHeight + kNoteSpacing;
    for (const QString& note : notes) {
        const QRectF area = noteArea().translated(0, top);
        QRectF used;
        painter.drawText(area, Qt::TextWordWrap, note, &used);
        top += used.height() + kNoteSpacing;
    }
    painter.restore();
}

namespace {

void writePng(QBuffer& buffer, const calc::CalculationRecord& record,
              const HydrographCaption& caption, QSizeF size) {
    QImage image((size * kImageScale).toSize(), QImage::Format_RGB32);
    const int dotsPerMeter = static_cast<int>(std::lround(kDotsPerInch * kImageScale / 0.0254));
    image.setDotsPerMeterX(dotsPerMeter);
    image.setDotsPerMeterY(dotsPerMeter);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        paintHydrographFigure(painter, QRectF(QPointF(0, 0), size * kImageScale), record, caption);
    }
    image.save(&buffer, "PNG");
}

void writeSvg(QBuffer& buffer, const calc::CalculationRecord& record,
              const HydrographCaption& caption, QSizeF size) {
    QSvgGenerator svg;
    svg.setOutputDevice(&buffer);
    svg.setResolution(kDotsPerInch);
    svg.setSize(size.toSize());
    svg.setViewBox(QRectF(QPointF(0, 0), size));
    svg.setTitle(QStringLiteral("Hidrograma de cheia de projeto"));
    QPainter painter(&svg);
    paintHydrographFigure(painter, QRectF(QPointF(0, 0), size), record, caption);
}

void writePdf(QBuffer& buffer, const calc::CalculationRecord& record,
              const HydrographCaption& caption) {
    QPdfWriter pdf(&buffer);
    const QRect page = setUpLandscapePdf(pdf, QStringLiteral("Hidrograma de cheia de projeto"), 12);
    QPainter painter(&pdf);
    paintHydrographFigure(painter, QRectF(QPointF(0, 0), page.size()), record, caption);
}

} // namespace

QByteArray hydrographFigureFile(const calc::CalculationRecord& record,
                                const HydrographCaption& caption, FigureFormat format) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    switch (format) {
    case FigureFormat::Png:
        writePng(buffer, record, caption, hydrographFigureSize(record));
        break;
    case FigureFormat::Svg:
        writeSvg(buffer, record, caption, hydrographFigureSize(record));
        break;
    case FigureFormat::Pdf:
        writePdf(buffer, record, caption);
        break;
    }
    return bytes;
}

} // namespace chart
