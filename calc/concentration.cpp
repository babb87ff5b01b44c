#include "calc/concentration.h"

#include <cmath>

namespace calc {

std::optional<double> computeConcentrationTime(double channelLengthKm, double elevationDropM) {
    if (elevationDropM == 0) {
        return std::nullopt;
    }
    const double cubed = std::pow(channelLengthKm, 3);
    const double quotient = cubed / elevationDropM;
    // A negative quotient has no real power 0.385.
    if (quotient < 0) {
        return std::nullopt;
    }
    const double result = std::pow(quotient, 0.385) * 0.95;
    if (!std::isfinite(result)) {
        return std::nullopt;
    }
    return result;
}

} // namespace calc
