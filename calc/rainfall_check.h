#pragma once

#include "calc/record.h"

#include <array>
#include <optional>
#include <string>

namespace calc {

// Constants of the rainfall relation that no run could use sensibly are refused where they
// enter. The point rainfall must be a finite number above zero and grow with the duration:
// - from each entry of the duration list to the next (5 min up to 6 d), and
// - from step to step of each duration's run (steps 1..15 at i times the duration),
// at each of kCheckedReturnPeriods for a station or an IDF equation, whose rainfall changes with
// TR; the typed K of the own equation already holds its return period, so for it only the
// durations count.

// The study's default return periods with 20, 200, 2000 and 5000 between them: no two
// neighbours are more than 2.5 times apart, and 50 lies where the beta term of K's exponent,
// beta·ln(TR)/TR^0.25, is largest (near TR = e^4).
inline constexpr std::array<double, 13> kCheckedReturnPeriods = {
    2, 5, 10, 20, 25, 50, 100, 200, 500, 1000, 2000, 5000, 10000};

// The usual range of the 24 h, TR 100 rainfall; a station outside it is kept with a warning.
inline constexpr double kUsualDailyRainfallMm[] = {30, 600};

// Why a station's seven constants are refused, in Portuguese, naming the first duration and
// return period that fail (durations in list order, then return periods, then steps); none when
// they pass or when a constant is missing (a run says which one it lacks).
std::optional<std::string> stationRainfallRefusal(const StationCoefficients& station);

// The same for the own equation's K, a, b, c, naming the first duration that fails.
std::optional<std::string> ownRainfallRefusal(const std::array<double, 4>& kabc);

// The same for an IDF equation: first a constant outside its range (k and n finite and above 0,
// t0 finite and at least 0, m finite), then the first duration and return period that fail.
std::optional<std::string> idfRainfallRefusal(const IdfEquation& equation);

// The warning for a station that stationRainfallRefusal accepts and whose 24 h, TR 100
// rainfall lies outside the usual range, naming the value; none otherwise.
std::optional<std::string> stationRainfallWarning(const StationCoefficients& station);

} // namespace calc
