#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace refdata {

// Numbers shown as text the same way whatever the process locale: integers in plain
// decimal, other values as C's "%.15g" with a period.
std::string integerText(std::int64_t value);
std::string numberText(double value);

// A complete, finite number with a period as decimal mark; blanks around it are allowed.
// Anything else ("", "1,5", "12abc", "nan") gives none.
std::optional<double> parseNumberText(std::string_view text);

} // namespace refdata
