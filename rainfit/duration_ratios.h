#pragma once

#include "rainfit/refusal.h"

#include <array>
#include <cstddef>
#include <string_view>

namespace rainfit {

// The durations and return periods of the analysis: 12 × 6 = 72 points.
inline constexpr std::size_t kDurationCount = 12;
inline constexpr std::array<int, kDurationCount> kDurationsMin = {5,  10,  15,  20,  25,  30,
                                                                  60, 360, 480, 600, 720, 1440};
inline constexpr std::array<double, 6> kReturnPeriodsYears = {2, 5, 10, 25, 50, 100};

// A duration's total as a ratio of a longer duration's: 24 h of the one-day total (`fromMin`
// 0), 12 h to 1 h of 24 h, 30 min of 1 h, 25 to 5 min of 30 min.
struct DurationRatio {
    int fromMin = 0;
    double ratio = 0;
};

// One row per duration, in the order of kDurationsMin. The user may replace the ratios; each
// duration keeps the duration it is a ratio of.
struct DurationRatios {
    std::array<DurationRatio, kDurationCount> rows;
};

// The ratios published by CETESB for Brazil.
DurationRatios cetesbRatios();

// The totals in mm of the durations, in the order of kDurationsMin, from the one-day total.
std::array<double, kDurationCount> durationDepthsMm(double oneDayMm, const DurationRatios& ratios);

// The CETESB ratios with those of a CSV table replaced: a header line, then lines
// "duration in minutes,ratio" (ratio with a decimal period, above 0), each of the 12 durations
// at most once. Refused, naming the line: a duration not of the 12, a ratio not a positive
// number, a duration repeated, a line without two fields.
util::Result<DurationRatios> readDurationRatios(std::string_view csvBytes);

} // namespace rainfit
