#pragma once

#include <string>
#include <string_view>

namespace report {

// The regional separators numbers are written and read with, passed explicitly; the window
// takes them from the system locale, the command line from --locale. UTF-8 text, since a
// locale's group separator may be a non-breaking space.
struct NumberStyle {
    std::string decimalSeparator = ".";
    std::string groupSeparator = ",";
};

// The style's decimal separator, or a period when it is empty: an empty separator would glue
// integer and decimal digits into a different number.
std::string_view effectiveDecimalSeparator(const NumberStyle& style);

} // namespace report
