#pragma once

#include "calc/record.h"
#include "numbers/number_style.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace report {

// Fixed-width fields of the report and the grid. Widths count characters, not bytes, so
// "Área" is four wide. A text already at or above the width is returned whole.
std::string alignRight(std::string_view text, std::size_t width);
std::string alignLeft(std::string_view text, std::size_t width);

using ValueFormatter = std::string (*)(double value, const NumberStyle& style);

// A value right-aligned in its field; an entry the run left empty is a field of blanks. A value
// text wider than the field is written whole and widens it: a cut text would state another
// number.
std::string valueField(const calc::Entry& entry, std::size_t width, ValueFormatter format,
                       const NumberStyle& style);

} // namespace report
