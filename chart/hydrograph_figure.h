#pragma once

#include "calc/record.h"
#include "chart/chart_module.h"
#include "chart/hydrograph_chart.h"

#include <QByteArray>
#include <QRectF>
#include <QSizeF>
#include <QStringList>

class QPainter;

namespace chart {

// The limit notes of the record as the figure prints them under the chart.
QStringList figureNotes(const calc::CalculationRecord& record);

// The figure's size as laid out, in pixels: the chart, and under it the notes, if any.
QSizeF hydrographFigureSize(const calc::CalculationRecord& record);

// Paints the figure (the chart and its notes on white) into `target`, in the painter's
// coordinates, scaled to fit and centred across. Needs a running QApplication.
void paintHydrographFigure(QPainter& painter, const QRectF& target,
                           const calc::CalculationRecord& record, const HydrographCaption& caption);

// The figure as the whole bytes of a PNG image, an SVG drawing or a one-page landscape PDF.
// Nothing is written anywhere; needs a running QApplication.
QByteArray hydrographFigureFile(const calc::CalculationRecord& record,
                                const HydrographCaption& caption, FigureFormat format);

} // namespace chart
