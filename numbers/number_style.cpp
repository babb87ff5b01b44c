#include "numbers/number_style.h"

namespace report {

std::string_view effectiveDecimalSeparator(const NumberStyle& style) {
    return style.decimalSeparator.empty() ? std::string_view(".") : style.decimalSeparator;
}

} // namespace report
