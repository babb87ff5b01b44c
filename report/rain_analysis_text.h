#pragma once

#include "numbers/number_style.h"
#include "rainfit/rain_analysis.h"

#include <string>

namespace report {

// The analysis as an engineer reads it, in Portuguese (UTF-8, LF line ends), numbers with the
// style's decimal separator: the years counted and left out under `rule`, the Gumbel figures
// with the verdict of the test said plainly, the equation with R², and the intensities from
// the data and from the equation.
std::string rainAnalysisText(const rainfit::RainAnalysis& analysis, const rainfit::YearRule& rule,
                             const NumberStyle& style);

} // namespace report
