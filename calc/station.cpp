#include "calc/station.h"

namespace calc {

const StationCoefficients* Station::coefficients() const {
    return std::get_if<StationCoefficients>(&rainfall);
}

const StationIdfEquation* Station::idf() const {
    return std::get_if<StationIdfEquation>(&rainfall);
}

} // namespace calc
