#pragma once

#include "calc/calculation.h"
#include "calc/station.h"

#include <array>
#include <optional>

namespace calc {

// One run as the window's fields and zeb-calc's options ask for it, numbers already read.
struct RunRequest {
    EquationMode mode = EquationMode::Automatic;
    int durationIndex = 0;
    double curveNumber = 0;
    double drainageAreaKm2 = 0;
    double returnPeriodYears = 0;
    // The channel's length and drop; none when tc is given without them.
    std::optional<double> channelLengthKm;
    std::optional<double> elevationDropM;
    // tc as the input fields keep it; none to compute it from the length and drop.
    std::optional<double> concentrationTimeH;
    std::array<double, 4> ownConstants{};       // K, a, b, c: mode Own only
    IdfEquation idfEquation;                    // mode Idf only
    std::optional<StationCoefficients> station; // mode Automatic only

    // Two requests are equal when they ask for the same run: a window's results belong to the
    // fields exactly when the request they give now equals the one that was run.
    bool operator==(const RunRequest&) const = default;
};

// A station's rainfall given to a request: its seven constants, or its IDF equation, which
// runs in mode Idf.
void takeStationRainfall(RunRequest& request, const StationRainfall& rainfall);

// The curve number's valid range, (0, 100]: the one rule for runs and for imported tables.
bool isValidCurveNumber(double curveNumber);
inline constexpr const char* kCurveNumberRange = "o CN deve ser maior que 0 e no máximo 100";

inline constexpr double kMaxReturnPeriodYears = 100000;

// Runs the calculation for a request. Values without physical meaning are refused first, with
// a message naming the field and its valid range: CN outside (0, 100] (a CN of 0 keeps the
// run's own message), an area, length, drop or tc of 0 or below, in modes Automatic and Idf a
// return period of 0 or below, in every mode one above kMaxReturnPeriodYears; then the
// constants of the rainfall relation that refusedRainfall refuses. The record carries the
// length, drop and tc it was computed with, the length and drop empty when they were not given.
// A run whose results are not all finite numbers is a failure of kind NotComputable; a refused
// value, of kind InvalidInput.
util::Result<CalculationRecord> runRequest(const RunRequest& request);

// The own equation's K, a, b, c, the IDF equation, or the station's constants, whose point
// rainfall is not a finite number above zero growing with the duration, or an IDF equation's
// constant outside its range (calc/rainfall_check.h).
std::optional<util::Failure> refusedRainfall(const RunRequest& request);

// runRequest without refusedRainfall, for a caller that has checked the request's constants
// already: a batch checks each station once, not once a row.
util::Result<CalculationRecord> runRequestWithCheckedRainfall(const RunRequest& request);

} // namespace calc
