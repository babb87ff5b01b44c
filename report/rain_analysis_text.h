#pragma once

#include "numbers/number_style.h"
#include "rainfit/rain_analysis.h"

#include <string>
#include <string_view>

namespace report {

// The analysis as an engineer reads it, in Portuguese (UTF-8, LF line ends), numbers with the
// style's decimal separator: the years counted and left out under `rule`, the Gumbel figures
// with the verdict of the test said plainly, the equation with R², and the intensities from
// the data and from the equation.
std::string rainAnalysisText(const rainfit::RainAnalysis& analysis, const rainfit::YearRule& rule,
                             const NumberStyle& style);

// The month's name in Portuguese, "janeiro" for 1 to "dezembro" for 12.
std::string_view monthName(int month);

// Parts of that text, each beginning with a blank line: the Gumbel figures with the verdict of
// the test, the equation with R², and the table of the intensities from the data or, `fitted`,
// from the equation (a line per duration, a column per return period, aligned in a fixed-width
// face).
std::string gumbelSection(const rainfit::GumbelFit& gumbel, const NumberStyle& style);
std::string equationSection(const rainfit::IdfFit& fit, const NumberStyle& style);
std::string intensitySection(const rainfit::RainAnalysis& analysis, bool fitted,
                             const NumberStyle& style);

} // namespace report
