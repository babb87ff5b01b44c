#pragma once

#include "numbers/number_style.h"

#include <memory>
#include <vector>

#include <QString>

class QChart;

namespace chart {

// One point of a study curve: where it stands along the axis, its peak flow, and whether a
// limit note applies to its run (drawn apart: the run cut the flood).
struct StudyPoint {
    double x = 0; // return period in years, or the duration's list position
    double peakFlowM3s = 0;
    bool noted = false;
};

// The object names of a study chart's series.
namespace study_series {
inline constexpr char kPeaks[] = "studyPeaks";
inline constexpr char kNoted[] = "studyNotedPeaks";
} // namespace study_series

// Peak flow against return period, on a logarithmic return-period axis, for one duration:
// the chart with its axes and empty series, then its points and title. A chart shown again
// with other points keeps its layout.
std::unique_ptr<QChart> newPeakByReturnPeriodChart(const report::NumberStyle& style);
void showPeaksByReturnPeriod(QChart& chart, const std::vector<StudyPoint>& points,
                             const QString& durationLabel);

// Peak flow against duration for one return period, across the whole duration list; the
// durations are labelled categories (x = list position), since they run from minutes to days.
std::unique_ptr<QChart> newPeakByDurationChart(const report::NumberStyle& style);
void showPeaksByDuration(QChart& chart, const std::vector<StudyPoint>& points,
                         double returnPeriodYears, const report::NumberStyle& style);

} // namespace chart
