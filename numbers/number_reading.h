#pragma once

#include <optional>
#include <string_view>

namespace calc {

// Reads the number at the start of a text the way every input field is read: blanks, tabs
// and line feeds are skipped wherever they stand, a period is the only decimal mark, an
// optional exponent (E or e) may follow, reading stops at the first character that cannot
// continue the number, and a text without a leading number reads as 0.
double parseLeadingNumber(std::string_view text);

// A complete number as the command line and the batch cells take it: a period as decimal mark,
// an optional sign and exponent, nothing else before or after; finite only.
std::optional<double> parseCompleteNumber(std::string_view text);

} // namespace calc
