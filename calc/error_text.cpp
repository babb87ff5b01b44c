#include "calc/error_text.h"

#include <string>

namespace calc {

CalculationError cannotCalculate(std::string_view reason) {
    return CalculationError{"Não é possível calcular: " + std::string(reason)};
}

} // namespace calc
