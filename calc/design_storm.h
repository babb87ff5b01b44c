#pragma once

#include "calc/calculation.h"

#include <optional>

namespace calc {

// One station constant with the name of its field: for durations below one hour the matching
// beta term (B5, B15, B30), for one hour and longer Bm.
struct BetaTerm {
    const std::optional<double>* value;
    const char* fieldName;
};
BetaTerm betaTermFor(const StationCoefficients& station, int durationIndex);

// K in mode Automatic: TR raised to (alpha + beta / TR^0.25), computed in that order.
inline constexpr double kReturnPeriodExponent = 0.25;
double frequencyFactor(double returnPeriodYears, double alpha, double beta);

// The relation K*(a*t + b*log10(1 + c*t)) in mm after t hours; not a finite number where
// 1 + c*t is not above 0.
double pointRainfall(double k, double a, double b, double c, double t);

// The IDF equation's intensity in mm/h over tMin minutes: k·TR^m / (tMin + t0)^n, computed in
// that order.
double idfIntensity(const IdfEquation& equation, double returnPeriodYears, double tMin);

// The IDF equation's rainfall in mm after t hours: its intensity over 60·t minutes times t.
double idfPointRainfall(const IdfEquation& equation, double returnPeriodYears, double t);

// Fills the constants of the rainfall relation: K, a, b, c in mode Automatic from the return
// period and the station (with alpha, beta and the exponent 0.25), in mode Own from the typed
// values; in mode Idf the equation's k, m, t0, n. Expects durationIndex and returnPeriodYears
// set. An error when a station value has none, or when TR is not above 0 where it plays a part.
std::optional<util::Failure> computeRainfallConstants(const CalculationInputs& inputs,
                                                      CalculationRecord& record);

// Times, point, reduced, incremental, reordered and cumulative rainfall, from the constants,
// unitDurationH, drainageAreaKm2 and concentrationTimeH already in the record; the point
// rainfall from the IDF equation when the record holds one, else from K, a, b, c. An error when
// 1 + c*t is not above 0 at some step, where the relation's logarithm has no value.
std::optional<util::Failure> computeDesignStorm(CalculationRecord& record);

} // namespace calc
