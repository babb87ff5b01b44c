#pragma once

#include "calc/calculation.h"
#include "calc/record.h"
#include "calc/run_request.h"

#include <span>
#include <vector>

namespace calc {

// The figures an engineer compares between runs: the flood's peak and when it comes, the
// effective rainfall of the whole storm, and whether the fixed sizes of the run cut the flood.
struct RunSummary {
    double peakFlowM3s = 0;         // the largest total flow of the 15 steps
    double peakTimeH = 0;           // the time of its first occurrence
    double effectiveRainfallMm = 0; // the cumulative effective rainfall at the last step
    bool floodNotReceded = false;
    bool unitHydrographCut = false;
};

// The return periods a study runs unless the user gives others, in years.
inline constexpr double kDefaultStudyReturnPeriods[] = {2, 5, 10, 25, 50, 100, 500, 1000, 10000};

RunSummary summarizeRun(const CalculationRecord& record);

// One cell of a study: a duration (list position) and a return period, and its run's summary
// or the reason the run could not be computed.
struct StudyCell {
    int durationIndex = 0;
    double returnPeriodYears = 0;
    util::Result<RunSummary> outcome;
};

// One cell: exactly the single run of the request with that duration and return period.
StudyCell computeStudyCell(const RunRequest& basin, int durationIndex, double returnPeriodYears);

// Runs the same basin for every duration and return period: durations in the order given,
// and within each duration the return periods in the order given. Each cell is exactly the
// single run of the request with that duration and return period.
std::vector<StudyCell> computeStudy(const RunRequest& basin, std::span<const int> durationIndexes,
                                    std::span<const double> returnPeriodsYears);

} // namespace calc
