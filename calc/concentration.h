#pragma once

#include <optional>

namespace calc {

// tc = 0.95 * (L^3 / H)^0.385, L in km, H in m, tc in hours. No value when the formula has
// none: a drop of 0, a negative quotient, or a result that is not a finite number.
std::optional<double> computeConcentrationTime(double channelLengthKm, double elevationDropM);

} // namespace calc
