#include "rainfit/idf_fit.h"

#include "calc/design_storm.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace rainfit {

namespace {

// A point as the regression sees it: ln TR and ln i do not change with t0.
struct LogPoint {
    double lnReturnPeriod = 0;
    double lnIntensity = 0;
    double durationMin = 0;
};
using LogPoints = std::vector<LogPoint>;

// For a fixed t0, the ordinary least-squares fit of ln i = ln K + m·ln TR − n·ln(t + t0): with
// u = ln TR and v = ln(t + t0) centred on their means, m and −n solve the 2 × 2 normal
// equations, and ln K = mean(ln i) − m·mean(u) + n·mean(v).
IdfFit fitForT0(const LogPoints& points, double t0) {
    std::vector<double> lnTime(points.size());
    double meanU = 0, meanV = 0, meanY = 0;
    for (std::size_t i = 0; i < points.size(); ++i) {
        lnTime[i] = std::log(points[i].durationMin + t0);
        meanU += points[i].lnReturnPeriod;
        meanV += lnTime[i];
        meanY += points[i].lnIntensity;
    }
    const double count = static_cast<double>(points.size());
    meanU /= count;
    meanV /= count;
    meanY /= count;
    double suu = 0, svv = 0, suv = 0, suy = 0, svy = 0;
    for (std::size_t i = 0; i < points.size(); ++i) {
        const double u = points[i].lnReturnPeriod - meanU;
        const double v = lnTime[i] - meanV;
        const double y = points[i].lnIntensity - meanY;
        suu += u * u;
        svv += v * v;
        suv += u * v;
        suy += u * y;
        svy += v * y;
    }
    const double determinant = suu * svv - suv * suv;
    const double m = (suy * svv - svy * suv) / determinant;
    const double minusN = (svy * suu - suy * suv) / determinant;
    IdfFit fit;
    fit.equation = {std::exp(meanY - m * meanU - minusN * meanV), m, t0, -minusN};
    for (std::size_t i = 0; i < points.size(); ++i) {
        const double residual = points[i].lnIntensity - meanY -
                                m * (points[i].lnReturnPeriod - meanU) -
                                minusN * (lnTime[i] - meanV);
        fit.sse += residual * residual;
    }
    return fit;
}

double sseAt(const LogPoints& points, double t0) {
    return fitForT0(points, t0).sse;
}

// The t0 of the smallest sum in [low, high], by golden-section search, to within 1e-6 min.
double goldenSectionT0(const LogPoints& points, double low, double high) {
    const double golden = (std::sqrt(5.0) - 1) / 2;
    double a = high - golden * (high - low);
    double b = low + golden * (high - low);
    double sseA = sseAt(points, a);
    double sseB = sseAt(points, b);
    while (high - low > 1e-6) {
        if (sseA <= sseB) {
            high = b;
            b = a;
            sseB = sseA;
            a = high - golden * (high - low);
            sseA = sseAt(points, a);
        } else {
            low = a;
            a = b;
            sseA = sseB;
            b = low + golden * (high - low);
            sseB = sseAt(points, b);
        }
    }
    return (low + high) / 2;
}

double rSquared(std::span<const IdfPoint> points, const calc::IdfEquation& equation) {
    double mean = 0;
    for (const IdfPoint& p : points) {
        mean += p.intensityMmH / static_cast<double>(points.size());
    }
    double residual = 0, total = 0;
    for (const IdfPoint& p : points) {
        const double fitted = calc::idfIntensity(equation, p.returnPeriodYears, p.durationMin);
        residual += (p.intensityMmH - fitted) * (p.intensityMmH - fitted);
        total += (p.intensityMmH - mean) * (p.intensityMmH - mean);
    }
    return 1 - residual / total;
}

} // namespace

// The sum is smooth in t0 but need not have a single minimum over [0, 120]: a scan every
// 0.1 min finds the lowest point of the grid, and a golden-section search over the scan steps
// on either side of it narrows the minimum to under 1e-6 min, far within 0.001 min, provided
// the sum has a single valley within one step of that point.
IdfFit fitIdfEquation(std::span<const IdfPoint> idfPoints) {
    LogPoints points;
    for (const IdfPoint& p : idfPoints) {
        points.push_back({std::log(p.returnPeriodYears), std::log(p.intensityMmH), p.durationMin});
    }
    constexpr double kStep = 0.1;
    constexpr int kSteps = static_cast<int>(kMaxT0Min / kStep + 0.5);
    int best = 0;
    double bestSse = sseAt(points, 0);
    for (int i = 1; i <= kSteps; ++i) {
        if (const double sse = sseAt(points, i * kStep); sse < bestSse) {
            best = i;
            bestSse = sse;
        }
    }
    const double t0 =
        goldenSectionT0(points, std::max(0, best - 1) * kStep, std::min(kSteps, best + 1) * kStep);
    IdfFit fit = fitForT0(points, t0);
    if (bestSse < fit.sse) {
        fit = fitForT0(points, best * kStep);
    }
    fit.r2 = rSquared(idfPoints, fit.equation);
    return fit;
}

} // namespace rainfit
