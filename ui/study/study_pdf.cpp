#include "ui/study/study_pdf.h"

#include "calc/durations.h"
#include "look/colours.h"
#include "chart/hydrograph_chart.h"
#include "look/fonts.h"
#include "chart/pdf_page.h"

#include <algorithm>

#include <QBuffer>
#include <QChart>
#include <QGraphicsScene>
#include <QPainter>
#include <QPdfWriter>

namespace ui {

namespace {

// The page is laid out in these units (a landscape A4 at 96 per inch, less the margins).
constexpr double kPageWidth = 1030;
constexpr double kRowHeight = 17;
constexpr double kLabelWidth = 70;
// Each chart is laid out as on the screen and drawn reduced to half the page's width, so that
// its labels keep the room they have in the window.
constexpr double kChartWidth = 620;
constexpr double kChartHeight = 460;

QString qText(const std::string& text) {
    return QString::fromStdString(text);
}

// The lines between the table's rows and after its label column; returns the table's height.
double paintRules(QPainter& painter, double top, std::size_t rows) {
    painter.setPen(QPen(Qt::gray, 0.5));
    const double bottom = top + static_cast<double>(rows) * kRowHeight;
    for (std::size_t r = 0; r <= rows; ++r) {
        const double y = top + static_cast<double>(r) * kRowHeight;
        painter.drawLine(QPointF(0, y), QPointF(kPageWidth, y));
    }
    painter.drawLine(QPointF(kLabelWidth, top), QPointF(kLabelWidth, bottom));
    painter.setPen(Qt::black);
    return bottom - top;
}

// The table's grid, heading row first; returns the height used.
double paintTable(QPainter& painter, double top, const report::StudyGrid& grid,
                  const report::NumberStyle& style) {
    const double columnWidth =
        (kPageWidth - kLabelWidth) /
        static_cast<double>(std::max<std::size_t>(1, grid.returnPeriodsYears.size()));
    const auto cellRect = [&](std::size_t row, int column) {
        const double left = column < 0 ? 0 : kLabelWidth + column * columnWidth;
        return QRectF(left, top + static_cast<double>(row) * kRowHeight,
                      column < 0 ? kLabelWidth : columnWidth, kRowHeight);
    };
    painter.setFont(look::chartFont(12, true));
    painter.drawText(cellRect(0, -1).adjusted(4, 0, 0, 0), Qt::AlignVCenter,
                     QStringLiteral("Duração"));
    for (std::size_t c = 0; c < grid.returnPeriodsYears.size(); ++c) {
        painter.drawText(cellRect(0, static_cast<int>(c)).adjusted(0, 0, -4, 0),
                         Qt::AlignRight | Qt::AlignVCenter,
                         qText(report::columnHeading(grid, c, style)));
    }
    for (std::size_t r = 0; r < grid.durationIndexes.size(); ++r) {
        painter.setFont(look::chartFont(12, true));
        painter.setPen(Qt::black);
        const std::string_view label =
            calc::durationLabels.at(static_cast<std::size_t>(grid.durationIndexes[r]));
        painter.drawText(cellRect(r + 1, -1).adjusted(4, 0, 0, 0), Qt::AlignVCenter,
                         QString::fromUtf8(label.data(), static_cast<qsizetype>(label.size())));
        for (std::size_t c = 0; c < grid.cells[r].size(); ++c) {
            const report::StudyGridCell& cell = grid.cells[r][c];
            if (cell.bestPeak) {
                painter.fillRect(cellRect(r + 1, static_cast<int>(c)), look::kBestPeakColour);
            }
            painter.setFont(look::chartFont(12, cell.bestPeak));
            painter.setPen(cell.noted() ? look::kNoteColour : QColor(Qt::black));
            painter.drawText(cellRect(r + 1, static_cast<int>(c)).adjusted(0, 0, -4, 0),
                             Qt::AlignRight | Qt::AlignVCenter,
                             qText(report::studyCellText(cell, style)));
        }
    }
    return paintRules(painter, top, grid.durationIndexes.size() + 1);
}

} // namespace

QByteArray studyPdf(StudyPage page) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter pdf(&buffer);
    const QRect area =
        chart::setUpLandscapePdf(pdf, QStringLiteral("Estudo de recorrências e durações"), 10);
    QPainter painter(&pdf);
    painter.scale(area.width() / kPageWidth, area.width() / kPageWidth);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);

    double top = 0;
    painter.setFont(look::chartFont(15, true));
    QRectF used;
    painter.drawText(QRectF(0, top, kPageWidth, 60), Qt::TextWordWrap, page.heading, &used);
    top += used.height() + 6;
    top += paintTable(painter, top, *page.grid, page.numberStyle) + 4;
    painter.setFont(look::chartFont(10));
    for (const QString& line : page.legend) {
        painter.drawText(QRectF(0, top, kPageWidth, 40), Qt::TextWordWrap, line, &used);
        top += used.height() + 1;
    }

    // The charts lie side by side in a scene that owns them.
    QGraphicsScene scene;
    QChart* charts[] = {page.byReturnPeriod.release(), page.byDuration.release()};
    for (int i = 0; i < 2; ++i) {
        if (charts[i] == nullptr) {
            continue; // a study of typed K has no chart over return periods
        }
        scene.addItem(charts[i]);
        charts[i]->setGeometry(QRectF(i * kChartWidth, 0, kChartWidth, kChartHeight));
    }
    const QRectF source(0, 0, 2 * kChartWidth, kChartHeight);
    const double scale = kPageWidth / source.width();
    scene.render(&painter, QRectF(0, top + 6, kPageWidth, kChartHeight * scale), source);
    painter.end();
    return bytes;
}

} // namespace ui
