#include "rainfit/annual_maxima.h"

#include "numbers/number_format.h"

#include <algorithm>

namespace rainfit {

namespace {

using namespace std::chrono;

// The year a day belongs to, named by the calendar year it starts in.
int yearOf(Day day, const YearRule& rule) {
    const year_month_day date{day};
    const int calendarYear = static_cast<int>(date.year());
    return static_cast<unsigned>(date.month()) < static_cast<unsigned>(rule.firstMonth)
               ? calendarYear - 1
               : calendarYear;
}

Day firstDayOf(int year, const YearRule& rule) {
    return Day{std::chrono::year{year} / month{static_cast<unsigned>(rule.firstMonth)} / 1};
}

} // namespace

util::Result<AnnualMaxima> annualMaxima(const DailySeries& series, const YearRule& rule) {
    AnnualMaxima maxima;
    const auto& totals = series.totalsMm;
    const int last = totals.empty() ? 0 : yearOf(totals.rbegin()->first, rule);
    for (int year = totals.empty() ? 1 : yearOf(totals.begin()->first, rule); year <= last;
         ++year) {
        const Day start = firstDayOf(year, rule);
        const Day end = firstDayOf(year + 1, rule);
        int present = 0;
        double largest = 0;
        for (auto day = totals.lower_bound(start); day != totals.end() && day->first < end; ++day) {
            if (day->second) {
                ++present;
                largest = std::max(largest, *day->second);
            }
        }
        const int days = static_cast<int>((end - start).count());
        const int missing = days - present;
        if (present > 0 && missing * 100.0 <= rule.maxMissingPercent * days) {
            maxima.counted.push_back({year, largest, missing});
        } else {
            maxima.leftOut.push_back({year, missing});
        }
    }
    if (maxima.counted.size() < kMinimumYears) {
        return refused("só " + std::to_string(maxima.counted.size()) +
                       " anos da série têm no máximo " +
                       report::formatPlain(rule.maxMissingPercent, {",", ""}) +
                       " % dos dias em falta; o ajuste precisa de pelo menos " +
                       std::to_string(kMinimumYears));
    }
    return maxima;
}

} // namespace rainfit
