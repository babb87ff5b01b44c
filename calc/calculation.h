#pragma once

#include "calc/record.h"
#include "util/failure.h"

namespace calc {

// One complete run from inputs already accepted, tc among them. Either every field a run owns
// is filled as far as the run computes it, or a failure comes back (NotComputable) and no record
// at all; it never throws. The record carries the tc it was computed with; its length and drop stay
// 0 (runRequest in calc/run_request.h, which checks the inputs and computes tc, fills them).
util::Result<CalculationRecord> computeCalculationRecord(const CalculationInputs& inputs);

} // namespace calc
