#pragma once

#include "numbers/number_style.h"

#include <string>
#include <string_view>

namespace report {

// How the CSV exports write their fields and numbers. The standard form (comma between fields,
// a decimal period, no byte-order mark) is what programs read; the spreadsheet form (semicolon,
// decimal comma, UTF-8 byte-order mark) is what a spreadsheet set to a decimal comma opens as
// numbers and with its accents right.
struct CsvStyle {
    char fieldSeparator = ',';
    char decimalSeparator = '.';
    bool byteOrderMark = false;

    bool operator==(const CsvStyle&) const = default;

    static CsvStyle standard() { return {}; }
    static CsvStyle spreadsheet() { return {';', ',', true}; }
    // The form for a user whose numbers are written in this style: the spreadsheet form where
    // the decimal mark is a comma, the standard form otherwise.
    static CsvStyle forNumberStyle(const NumberStyle& style);

    // What the file begins with: the byte-order mark or nothing.
    std::string start() const;
    // A number in its shortest exact form, with this style's decimal mark.
    std::string number(double value) const;
    // A text field, quoted when it holds the field separator, a quote or a line break.
    std::string field(std::string_view text) const;
};

} // namespace report
