#pragma once

#include <string>

namespace util {

// Numbers as text the same way whatever the process locale, always with a period. Negative
// zero is written as 0: no user typed or meant "-0".

// C's "%.15g": up to 15 significant digits, no trailing zeros, an exponent for very large and
// very small values; "inf", "-inf" and "nan" for values without digits.
std::string generalNumberText(double value);

// The shortest text that reads back as exactly this double, for the machine-readable outputs.
std::string exactNumberText(double value);

} // namespace util
