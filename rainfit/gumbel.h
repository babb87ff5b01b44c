#pragma once

#include <span>

namespace rainfit {

// The Gumbel distribution fitted to annual maxima by the method of moments, with the
// Kolmogorov–Smirnov test of the fit.
struct GumbelFit {
    double meanMm = 0;
    double stdDevMm = 0; // the sample standard deviation (n − 1)
    double ksStatistic = 0;
    double ksCritical5pct = 0; // 1.36/√n

    // The test rejects the fit at the 5 % level.
    bool rejected() const { return ksStatistic > ksCritical5pct; }
};

// The fit to two or more maxima, in any order.
GumbelFit fitGumbel(std::span<const double> maximaMm);

// K_TR = −(√6/π)·(0.5772 + ln(ln(TR/(TR − 1)))), for TR above 1 year.
double gumbelFrequencyFactor(double returnPeriodYears);

// x̄ + K_TR·s: the one-day total of this return period.
double gumbelDepthMm(const GumbelFit& fit, double returnPeriodYears);

} // namespace rainfit
