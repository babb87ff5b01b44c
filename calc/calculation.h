#pragma once

#include "calc/record.h"

#include <string>
#include <variant>

namespace calc {

// Why a run could not be computed, worded for the user (Portuguese).
struct CalculationError {
    std::string message;
    // The inputs were refused before anything was computed, as physically meaningless.
    bool invalidInput = false;
};

using CalculationResult = std::variant<CalculationRecord, CalculationError>;

// One complete run from inputs already accepted, tc among them. Either every field a run owns
// is filled as far as the run computes it, or an error comes back and no record at all; it never
// throws. The record carries the tc it was computed with; its length and drop stay 0 (runRequest
// in calc/run_request.h, which checks the inputs and computes tc, fills them).
CalculationResult computeCalculationRecord(const CalculationInputs& inputs);

} // namespace calc
