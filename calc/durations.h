#pragma once

#include "calc/record.h"

#include <array>
#include <optional>
#include <string_view>

namespace calc {

// The entries of the duration list, in list order (positions 0..12).
inline constexpr std::array<std::string_view, kDurationCount> durationLabels = {
    "5 min", "15 min", "30 min", "1 h", "2 h", "4 h", "8 h",
    "14 h",  "24 h",   "48 h",   "3 d", "4 d", "6 d",
};

// Unit duration in hours for each position. "5 min" is this decimal constant, not 1/12:
// the times of every series are multiples of it.
inline constexpr std::array<double, kDurationCount> durationHours = {
    0.083333333333, 0.25, 0.5, 1, 2, 4, 8, 14, 24, 48, 72, 96, 144,
};

// The alpha term of K for each position.
inline constexpr std::array<double, kDurationCount> durationAlphaTable = {
    0.108, 0.122, 0.138, 0.156, 0.166, 0.174, 0.176, 0.174, 0.17, 0.166, 0.16, 0.156, 0.152,
};

// Position of a label exactly as listed; none for any other text.
std::optional<int> durationIndexOfLabel(std::string_view label);

} // namespace calc
