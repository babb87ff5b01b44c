#include "calc/study.h"

#include "calc/limits.h"

namespace calc {

RunSummary summarizeRun(const CalculationRecord& record) {
    RunSummary summary;
    for (int step = 1; step <= kSteps; ++step) {
        const double flow = record.totalFlow[step].value_or(0);
        // Strictly larger: a plateau keeps the time it was first reached.
        if (step == 1 || flow > summary.peakFlowM3s) {
            summary.peakFlowM3s = flow;
            summary.peakTimeH = record.timesH[step].value_or(0);
        }
    }
    summary.effectiveRainfallMm = record.effectiveRainfallMm[kSteps].value_or(0);
    summary.floodNotReceded = floodNotReceded(record);
    summary.unitHydrographCut = unitHydrographCut(record);
    return summary;
}

StudyCell computeStudyCell(const RunRequest& basin, int durationIndex, double returnPeriodYears) {
    RunRequest request = basin;
    request.durationIndex = durationIndex;
    request.returnPeriodYears = returnPeriodYears;
    StudyCell cell{durationIndex, returnPeriodYears, RunSummary{}};
    const util::Result<CalculationRecord> result = runRequest(request);
    if (result) {
        cell.outcome = summarizeRun(*result);
    } else {
        cell.outcome = result.failure();
    }
    return cell;
}

std::vector<StudyCell> computeStudy(const RunRequest& basin, std::span<const int> durationIndexes,
                                    std::span<const double> returnPeriodsYears) {
    std::vector<StudyCell> cells;
    cells.reserve(durationIndexes.size() * returnPeriodsYears.size());
    for (int duration : durationIndexes) {
        for (double returnPeriod : returnPeriodsYears) {
            cells.push_back(computeStudyCell(basin, duration, returnPeriod));
        }
    }
    return cells;
}

} // namespace calc
