#include "report/csv_style.h"

#include "numbers/number_text.h"
#include "util/csv_stream.h"

#include <algorithm>

namespace report {

CsvStyle CsvStyle::forNumberStyle(const NumberStyle& style) {
    return style.decimalSeparator == "," ? spreadsheet() : standard();
}

std::string CsvStyle::start() const {
    return byteOrderMark ? "\xEF\xBB\xBF" : "";
}

std::string CsvStyle::number(double value) const {
    std::string text = util::exactNumberText(value);
    std::ranges::replace(text, '.', decimalSeparator);
    return text;
}

std::string CsvStyle::field(std::string_view text) const {
    return util::csvField(text, fieldSeparator);
}

} // namespace report
