#pragma once

#include "rainfit/annual_maxima.h"
#include "rainfit/duration_ratios.h"
#include "rainfit/gumbel.h"
#include "rainfit/idf_fit.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace rainfit {

// The largest series file read: far above a century of daily totals in either layout.
inline constexpr std::uintmax_t kMaxSeriesBytes = 64 * 1024 * 1024;

// How a series is analysed: which years count, and the ratios between durations.
struct AnalysisOptions {
    YearRule years;
    DurationRatios ratios = cetesbRatios();
};

// An IDF equation fitted to a rain gauge's daily series, with every figure it comes from.
struct RainAnalysis {
    std::string stationCode; // when the file names the gauge
    AnnualMaxima maxima;
    GumbelFit gumbel;
    std::vector<IdfPoint> points; // each duration of kDurationsMin, each return period in turn
    IdfFit fit;
};

// The whole analysis of a file's bytes: the series read, its annual maxima, the Gumbel fit
// and its test, the 72 intensities from the duration ratios, and the equation fitted to them.
// Every refusal is a value with its Portuguese message, naming the line where there is one.
util::Result<RainAnalysis> analyseDailyRainfall(std::string_view bytes,
                                                const AnalysisOptions& options);

// The analysis from annual maxima already found: refused when the Gumbel fit gives no positive
// one-day total at every return period (maxima all equal, or far too scattered).
util::Result<RainAnalysis> analyseAnnualMaxima(AnnualMaxima maxima, const AnalysisOptions& options);

} // namespace rainfit
