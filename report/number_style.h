#pragma once

#include <string>

namespace report {

// The regional separators numbers are written and read with, passed explicitly; the window
// takes them from the system locale, the command line from --locale. UTF-8 text, since a
// locale's group separator may be a non-breaking space.
struct NumberStyle {
    std::string decimalSeparator = ".";
    std::string groupSeparator = ",";
};

} // namespace report
