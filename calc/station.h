#pragma once

#include "calc/record.h"

#include <string>
#include <variant>

namespace calc {

// An IDF equation as a station holds it, with where it was published (free text; may be empty).
struct StationIdfEquation {
    IdfEquation equation;
    std::string source;

    bool operator==(const StationIdfEquation&) const = default;
};

// A station's rainfall relation: Pfafstetter's seven constants (a null in the database stays
// empty) or an IDF equation, never a mix of the two.
using StationRainfall = std::variant<StationCoefficients, StationIdfEquation>;

// A rain-gauge station as the program sees it: who it is and its rainfall relation. It is what
// a lookup answers, what the station lists hold (their rainfall left empty: a list reads only
// who each station is), a study's copy of its station and a command's chosen station. Texts are
// UTF-8.
struct Station {
    std::string code;
    std::string name;
    std::string state;
    StationRainfall rainfall;

    // The seven constants, or none when the station holds an IDF equation.
    const StationCoefficients* coefficients() const {
        return std::get_if<StationCoefficients>(&rainfall);
    }
    // The IDF equation, or none when the station holds the seven constants.
    const StationIdfEquation* idf() const { return std::get_if<StationIdfEquation>(&rainfall); }

    bool operator==(const Station&) const = default;
};

} // namespace calc
