#pragma once

#include "numbers/number_style.h"
#include "rainfit/rain_analysis.h"

#include <QByteArray>
#include <QString>

namespace ui {

// The whole bytes of a one-page landscape A4 PDF of the analysis: the heading, the annual
// maxima and the years left out under `rule`, the Gumbel figures with the verdict of the test,
// the equation with R², the intensities from the data and from the equation, and the chart.
// Needs a running QApplication.
QByteArray rainAnalysisPdf(const rainfit::RainAnalysis& analysis, const rainfit::YearRule& rule,
                           const QString& heading, const report::NumberStyle& style);

} // namespace ui
