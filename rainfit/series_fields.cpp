#include "rainfit/series_fields.h"

#include "numbers/field_reading.h"
#include "numbers/number_reading.h"
#include "util/text.h"

#include <cmath>
#include <string>

namespace rainfit {

namespace {

// The `count` digits of the text from `at` as a number; -1 when one of them is not a digit.
int digitsAt(std::string_view text, std::size_t at, std::size_t count) {
    int value = 0;
    for (const char c : text.substr(at, count)) {
        if (c < '0' || c > '9') {
            return -1;
        }
        value = value * 10 + (c - '0');
    }
    return value;
}

} // namespace

util::Result<std::chrono::year_month_day> readDate(std::string_view text) {
    const std::string_view date = util::trimmed(text);
    int year = -1;
    int month = -1;
    int day = -1;
    if (date.size() == 10 && date[4] == '-' && date[7] == '-') {
        year = digitsAt(date, 0, 4);
        month = digitsAt(date, 5, 2);
        day = digitsAt(date, 8, 2);
    } else if (date.size() == 10 && date[2] == '/' && date[5] == '/') {
        day = digitsAt(date, 0, 2);
        month = digitsAt(date, 3, 2);
        year = digitsAt(date, 6, 4);
    }
    if (year < 0 || month < 0 || day < 0) {
        return refused("a data " + util::inQuotes(text) +
                       " não está na forma aaaa-mm-dd nem dd/mm/aaaa");
    }
    const std::chrono::year_month_day read{std::chrono::year{year},
                                           std::chrono::month{static_cast<unsigned>(month)},
                                           std::chrono::day{static_cast<unsigned>(day)}};
    if (!read.ok()) {
        return refused("a data " + util::inQuotes(text) + " não existe");
    }
    return read;
}

std::string dateText(std::chrono::year_month_day date) {
    const auto twoDigits = [](unsigned value) {
        return (value < 10 ? "0" : "") + std::to_string(value);
    };
    return twoDigits(static_cast<unsigned>(date.day())) + "/" +
           twoDigits(static_cast<unsigned>(date.month())) + "/" +
           std::to_string(static_cast<int>(date.year()));
}

util::Result<std::optional<double>> readDailyTotal(std::string_view text, DecimalMark mark) {
    const std::string_view value = util::trimmed(text);
    if (value.empty()) {
        return std::optional<double>();
    }
    const std::optional<double> number = mark == DecimalMark::Comma
                                             ? report::parseLocaleNumber(value, {",", ""})
                                             : calc::parseCompleteNumber(value);
    if (!number || !std::isfinite(*number)) {
        return refused("o valor " + util::inQuotes(text) + " não é um número");
    }
    if (*number < 0) {
        return refused("o total " + util::inQuotes(text) + " é negativo");
    }
    return number;
}

} // namespace rainfit
