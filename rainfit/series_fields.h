#pragma once

#include "rainfit/refusal.h"

#include <chrono>
#include <optional>
#include <string_view>

namespace rainfit {

// The fields both layouts of a series share; each refusal says what is wrong, without the line.

// A date written yyyy-mm-dd or dd/mm/yyyy, that exists in the calendar.
util::Result<std::chrono::year_month_day> readDate(std::string_view text);

// A date as messages write it: dd/mm/yyyy.
std::string dateText(std::chrono::year_month_day date);

// A daily total in mm, with a decimal comma or a decimal period: none for an empty field (a
// missing day); refused when it is not a number or is negative.
enum class DecimalMark { Comma, Period };
util::Result<std::optional<double>> readDailyTotal(std::string_view text, DecimalMark mark);

} // namespace rainfit
