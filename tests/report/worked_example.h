#pragma once

#include "calc/calculation.h"
#include "calc/record.h"

#include <gtest/gtest.h>

#include <variant>

namespace report::testing {

// The worked example: "1 h", TR 100, A 50 km², tc 6 h, CN 75 and the example station.
inline calc::CalculationInputs workedExampleInputs() {
    calc::CalculationInputs inputs;
    inputs.mode = calc::EquationMode::Automatic;
    inputs.durationIndex = 3;
    inputs.returnPeriodYears = 100;
    inputs.drainageAreaKm2 = 50;
    inputs.concentrationTimeH = 6;
    inputs.curveNumber = 75;
    inputs.station = calc::StationCoefficients{0.2, 25, 20, -0.04, 0.08, 0.08, 0.08};
    return inputs;
}

// A run's record, with the time of concentration the input fields would have kept.
inline calc::CalculationRecord computedRecord(const calc::CalculationInputs& inputs) {
    const calc::CalculationResult result = calc::computeCalculationRecord(inputs);
    if (const auto* error = std::get_if<calc::CalculationError>(&result)) {
        ADD_FAILURE() << "the run was refused: " << error->message;
        return {};
    }
    calc::CalculationRecord record = std::get<calc::CalculationRecord>(result);
    record.concentrationTimeH = inputs.concentrationTimeH;
    return record;
}

inline calc::CalculationRecord workedExampleRecord() {
    return computedRecord(workedExampleInputs());
}

} // namespace report::testing
