#pragma once

#include "refdata/table_source.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace refdata {

// Numbers shown as text the same way whatever the process locale: integers in plain
// decimal, other values as C's "%.15g" with a period, a single-precision value with the
// digits it holds (not those of its widening to double).
std::string integerText(std::int64_t value);
std::string numberText(double value);
std::string floatText(float value);

// A complete, finite number with a period as decimal mark; blanks around it are allowed.
// Anything else ("", "1,5", "12abc", "nan") gives none.
std::optional<double> parseNumberText(std::string_view text);

// Why a constant's text is not a number, as the stations file and the station window say it:
// the value of `name` is empty, or not a number (with a hint when it has a comma).
std::string notANumberReason(const std::string& text, std::string_view name);

// A stored value as the data layer converts it: text unchanged, a number written as above
// (a null is the empty text); as a number, a text must be one whole (none otherwise).
std::string valueText(const StoredValue& value);
std::optional<double> valueNumber(const StoredValue& value);

} // namespace refdata
