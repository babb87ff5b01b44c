#pragma once

#include <QRect>
#include <QString>

class QPdfWriter;

namespace chart {

// Makes `pdf` a landscape A4 page at 96 dots per inch with margins of `marginMm` millimetres,
// titled and signed by the program. Returns the area inside the margins, in those dots.
QRect setUpLandscapePdf(QPdfWriter& pdf, const QString& title, double marginMm);

} // namespace chart
