#pragma once

#include "report/number_style.h"

#include <optional>
#include <string_view>

namespace report {

// A complete number by the regional rules: optional blanks around it, an optional sign,
// digits with the group separator between groups of three, the decimal separator. No value
// when the text is not such a number (the empty text among them).
std::optional<double> parseLocaleNumber(std::string_view text, const NumberStyle& style);

// How every numeric input field is read: first as a complete regional number, and only when
// that fails by calc::parseLeadingNumber. What the program itself wrote reads back as the value
// it wrote; every text the leading-number reading gets right reads the same.
double readFieldNumber(std::string_view text, const NumberStyle& style);

} // namespace report
