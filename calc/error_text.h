#pragma once

#include "calc/calculation.h"

#include <string_view>

namespace calc {

// Every refused run reads the same way to the user: the fixed opening, then the reason.
util::Failure cannotCalculate(std::string_view reason);

} // namespace calc
