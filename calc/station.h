#pragma once

#include "calc/record.h"

#include <string>

namespace calc {

// A rain-gauge station as the program sees it: who it is and its rainfall relation. It is what
// a lookup answers, what the station lists hold (their rainfall left empty: a list reads only
// who each station is), a study's copy of its station and a command's chosen station. Texts are
// UTF-8.
struct Station {
    std::string code;
    std::string name;
    std::string state;
    StationCoefficients coefficients; // a null in the database stays empty here

    bool operator==(const Station&) const = default;
};

} // namespace calc
