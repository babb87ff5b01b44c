#pragma once

#include "numbers/number_style.h"

#include <string>

namespace report {

// The display patterns in use. All round to two decimals, halves away from zero, of the
// double's exact value.
enum class Pattern {
    Grouped,     // "#,##0.00"
    WideGrouped, // "###,##0.00" (same text as Grouped)
    Plain3,      // "##0.00"
    Plain2,      // "#0.00" (same text as Plain3)
};

std::string formatPattern(double value, Pattern pattern, const NumberStyle& style);

// The value with this many decimals (the library's correctly rounded conversion, halves to
// even), the regional decimal separator and no grouping: figures a person reads, such as a
// fitted equation's constants.
std::string formatFixed(double value, int decimals, const NumberStyle& style);

// The general number text: C's %.15g with the regional decimal separator, no grouping.
std::string formatPlain(double value, const NumberStyle& style);

// The shortest text that reads back as exactly this value, with the regional decimal separator
// and no grouping: a stored constant as the user edits it.
std::string formatExact(double value, const NumberStyle& style);

} // namespace report
