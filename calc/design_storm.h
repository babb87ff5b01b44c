#pragma once

#include "calc/calculation.h"

#include <optional>

namespace calc {

// Fills K, a, b, c of the rainfall relation: in mode Automatic from the return period and the
// station (with alpha, beta and the exponent 0.25), in mode Own from the typed values.
// Expects durationIndex and returnPeriodYears set. An error when K or a station value has none.
std::optional<CalculationError> computeRainfallConstants(const CalculationInputs& inputs,
                                                         CalculationRecord& record);

// Times, point, reduced, incremental, reordered and cumulative rainfall, from the constants,
// unitDurationH, drainageAreaKm2 and concentrationTimeH already in the record. An error when
// 1 + c*t is not above 0 at some step, where the relation's logarithm has no value.
std::optional<CalculationError> computeDesignStorm(CalculationRecord& record);

} // namespace calc
