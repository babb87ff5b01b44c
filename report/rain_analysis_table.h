#pragma once

#include "rainfit/rain_analysis.h"
#include "report/csv_style.h"

#include <string>

namespace report {

// The machine-readable forms of an IDF equation fitted from a daily series, numbers in their
// shortest exact form with a period, LF line ends.

// {"years": [{"year", "maxDailyMm", "missingDays"}], "yearsLeftOut": [{"year", "missingDays"}],
//  "gumbel": {"meanMm", "stdDevMm", "ksStatistic", "ksCritical5pct"},
//  "equation": {"K", "m", "t0", "n", "r2", "sse"},
//  "points": [{"durationMin", "returnPeriodYears", "intensityMmH", "fittedMmH"}]}
std::string rainAnalysisJson(const rainfit::RainAnalysis& analysis);

// The 72 points: header "durationMin,returnPeriodYears,intensityMmH,fittedMmH" and one line
// each, separated as the style says.
std::string rainAnalysisPointsCsv(const rainfit::RainAnalysis& analysis,
                                  const CsvStyle& style = {});

} // namespace report
