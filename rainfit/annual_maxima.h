#pragma once

#include "rainfit/daily_series.h"

#include <vector>

namespace rainfit {

// Which years count: a year starts on the first day of `firstMonth` (1, January, for the
// calendar year; another month for a hydrological year, named by the calendar year it starts
// in) and counts when at most `maxMissingPercent` of its days are missing.
struct YearRule {
    int firstMonth = 1;
    double maxMissingPercent = 5;
};

struct YearMaximum {
    int year = 0;
    double maxDailyMm = 0;
    int missingDays = 0;
};

struct YearLeftOut {
    int year = 0;
    int missingDays = 0;
};

struct AnnualMaxima {
    std::vector<YearMaximum> counted;
    std::vector<YearLeftOut> leftOut;
};

// The fewest years an analysis is made from.
inline constexpr std::size_t kMinimumYears = 10;

// The largest daily total of each year from the first the series touches to the last, and the
// years left out; refused when fewer than kMinimumYears count, saying how many do.
util::Result<AnnualMaxima> annualMaxima(const DailySeries& series, const YearRule& rule);

} // namespace rainfit
