#pragma once

#include "calc/calculation.h"

#include <gtest/gtest.h>

#include <variant>

namespace calc::fixtures {

// The published example: "1 h", TR 100, A 50 km², tc 6 h, CN 75, a 0.2, b 25, c 20, Bm 0.08.
inline CalculationInputs workedExampleInputs() {
    CalculationInputs inputs;
    inputs.mode = EquationMode::Automatic;
    inputs.durationIndex = 3;
    inputs.curveNumber = 75;
    inputs.drainageAreaKm2 = 50;
    inputs.returnPeriodYears = 100;
    inputs.concentrationTimeH = 6;
    inputs.station = StationCoefficients{0.2, 25, 20, -0.04, 0.08, 0.08, 0.08};
    return inputs;
}

// The record of a run that must succeed; fails the test with the run's message otherwise.
inline CalculationRecord runOrFail(const CalculationInputs& inputs) {
    CalculationResult result = computeCalculationRecord(inputs);
    if (const auto* error = std::get_if<CalculationError>(&result)) {
        ADD_FAILURE() << "unexpected error: " << error->message;
        return {};
    }
    return std::get<CalculationRecord>(result);
}

} // namespace calc::fixtures
