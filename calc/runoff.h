#pragma once

#include "calc/calculation.h"

#include <optional>

namespace calc {

// The three stages of the runoff, run at their places in a calculation run: the parameters
// right after the inputs, the ordinates after the rainfall constants, the rest after the
// design storm.

// S, Tp, Tb, Tr and qp from curveNumber, unitDurationH, drainageAreaKm2 and
// concentrationTimeH. An error for a curve number of 0.
std::optional<util::Failure> computeUnitHydrographParameters(CalculationRecord& record);

// u_1..u_8 in single precision, and row 0 of the convolution table. An error when an ordinate
// is not a number a float can hold.
std::optional<util::Failure> computeUnitHydrographOrdinates(CalculationRecord& record);

// Effective rainfall, its increments, the convolution table and the total flow, from the
// cumulative design storm. An error when the excess formula's denominator is 0.
std::optional<util::Failure> computeRunoffHydrograph(CalculationRecord& record);

} // namespace calc
