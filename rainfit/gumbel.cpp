#include "rainfit/gumbel.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

namespace rainfit {

namespace {

constexpr double kEulerGamma = 0.5772; // as the hand method rounds it
const double kScale = std::sqrt(6.0) / std::numbers::pi;

// D = max over i of max(i/n − F(x_(i)), F(x_(i)) − (i − 1)/n), the maxima sorted, against
// F(x) = exp(−exp(−(x − u)/α)) with α = s·√6/π and u = x̄ − 0.5772·α.
double ksStatistic(std::span<const double> maximaMm, double mean, double stdDev) {
    std::vector<double> sorted(maximaMm.begin(), maximaMm.end());
    std::ranges::sort(sorted);
    const double alpha = stdDev * kScale;
    const double u = mean - kEulerGamma * alpha;
    const double n = static_cast<double>(sorted.size());
    double statistic = 0;
    for (std::size_t i = 1; i <= sorted.size(); ++i) {
        const double f = std::exp(-std::exp(-(sorted[i - 1] - u) / alpha));
        statistic = std::max(
            {statistic, static_cast<double>(i) / n - f, f - static_cast<double>(i - 1) / n});
    }
    return statistic;
}

} // namespace

GumbelFit fitGumbel(std::span<const double> maximaMm) {
    const double n = static_cast<double>(maximaMm.size());
    double sum = 0;
    for (const double x : maximaMm) {
        sum += x;
    }
    GumbelFit fit;
    fit.meanMm = sum / n;
    double squares = 0;
    for (const double x : maximaMm) {
        squares += (x - fit.meanMm) * (x - fit.meanMm);
    }
    fit.stdDevMm = std::sqrt(squares / (n - 1));
    fit.ksStatistic = ksStatistic(maximaMm, fit.meanMm, fit.stdDevMm);
    fit.ksCritical5pct = 1.36 / std::sqrt(n);
    return fit;
}

double gumbelFrequencyFactor(double returnPeriodYears) {
    return -kScale *
           (kEulerGamma + std::log(std::log(returnPeriodYears / (returnPeriodYears - 1))));
}

double gumbelDepthMm(const GumbelFit& fit, double returnPeriodYears) {
    return fit.meanMm + gumbelFrequencyFactor(returnPeriodYears) * fit.stdDevMm;
}

} // namespace rainfit
