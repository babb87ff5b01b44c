#pragma once

#include "calc/record.h"

#include <span>

namespace rainfit {

// One point of the analysis: the intensity from the data and from the fitted equation.
struct IdfPoint {
    double durationMin = 0;
    double returnPeriodYears = 0;
    double intensityMmH = 0; // above 0
    double fittedMmH = 0;
};

struct IdfFit {
    calc::IdfEquation equation;
    double sse = 0; // the sum of squared differences of ln i
    double r2 = 0;  // 1 − Σ(i − î)²/Σ(i − ī)², on the intensities themselves
};

// The range t0 is searched in, in minutes.
inline constexpr double kMaxT0Min = 120;

// The equation i = K·TR^m/(t + t0)^n closest to the points' intensities in the sum of squared
// differences of ln i, t0 in [0, kMaxT0Min] to within 0.001 min.
IdfFit fitIdfEquation(std::span<const IdfPoint> points);

} // namespace rainfit
