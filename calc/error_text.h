#pragma once

#include "calc/calculation.h"

#include <string>
#include <string_view>

namespace calc {

// Every refused run reads the same way to the user: the fixed opening, then the reason.
inline CalculationError cannotCalculate(std::string_view reason) {
    return CalculationError{"Não é possível calcular: " + std::string(reason)};
}

} // namespace calc
