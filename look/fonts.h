#pragma once

#include <QFont>
#include <QString>
#include <QStringList>

namespace look {

// The program's fonts are chosen here and nowhere else. Where a face of the layout is not
// installed, a metric-compatible or close face from fonts-liberation stands in for it.

// "MS Sans Serif" 8.25 point, regular: every control without a font of its own.
QFont controlFont();

// "Arial" bold 27.75 point: the utility's name at the top of the main window.
QFont titleFont();

// "Geometr231 Hv BT" bold at the given size: the splash's texts.
QFont splashFont(qreal pointSize);

// "Courier New" 8 point, regular: the printed report. Every character has the same width, so
// the report's fixed-width fields line up on paper; bold for the one heading line.
QFont reportFont(bool bold);

// Arial (or a metric-compatible face) at a size in pixels, not points: the charts' and
// figures' texts and the headings that go with them. A figure is laid out once and painted on
// screens, images, SVG and PDF pages alike, whatever resolution each device reports.
QFont chartFont(int pixelSize, bool bold = false);

// The first of the families that is installed; the last one when none is.
QString firstInstalledFamily(const QStringList& families);

} // namespace look
