#pragma once

#include "numbers/number_style.h"

#include <optional>
#include <string>
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

// What a typed text means as a number, read so that it is never taken for a number the user
// may not have meant. Two complete readings of the whole text are tried, an exponent allowed
// in both: the regional one (the locale's decimal mark, its grouping allowed) and the plain
// one (one mark at most, a period or a comma, taken as the decimal mark; no grouping), as
// people type who learnt the other convention. One of them reading the text, or both reading
// the same number, gives its value. Both reading it to different numbers ("1.416" under
// pt_BR, "1,000" under en_US) gives no value: the text must be written unambiguously. Neither
// reading it gives the leading number, as every field was always read.
struct TypedNumber {
    std::optional<double> value; // none when the two readings disagree
    bool whole = false;          // a complete reading took the whole text
    double regional = 0;         // when they disagree: the regional reading
    double plain = 0;            // and the plain one
};
TypedNumber readTypedNumber(std::string_view text, const NumberStyle& style);

// Why a typed text whose two readings disagree is refused, naming its field (UTF-8), in the
// same words wherever a number is typed.
std::string ambiguousNumberMessage(std::string_view text, std::string_view fieldName,
                                   const TypedNumber& number, const NumberStyle& style);

} // namespace report
