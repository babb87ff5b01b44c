#pragma once

#include "report/number_style.h"

#include <array>
#include <cstddef>

namespace zebfuzz {

// Separators that real locales give: the two the program names, no grouping (C's own data),
// the non-breaking spaces of French and Russian, Swiss apostrophes and the Arabic marks.
inline const std::array<report::NumberStyle, 8> kNumberStyles = {{
    {".", ","},
    {",", "."},
    {".", ""},
    {",", "\u00a0"},
    {",", "\u202f"},
    {".", "'"},
    {".", "\u2019"},
    {"\u066b", "\u066c"},
}};

inline const report::NumberStyle& numberStyle(std::size_t selector) {
    return kNumberStyles[selector % kNumberStyles.size()];
}

} // namespace zebfuzz
