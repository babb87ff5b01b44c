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

// The whole analysis as CSV tables in the order of the JSON, a blank line between them, each
// with a header of its names: "year,maxDailyMm,missingDays" (the years counted),
// "yearLeftOut,missingDays", "meanMm,stdDevMm,ksStatistic,ksCritical5pct",
// "K,m,t0,n,r2,sse", and the 72 points as rainAnalysisPointsCsv writes them.
std::string rainAnalysisCsv(const rainfit::RainAnalysis& analysis, const CsvStyle& style);

} // namespace report
