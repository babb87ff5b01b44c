#include "calc/calculation.h"

#include "calc/design_storm.h"
#include "calc/durations.h"
#include "calc/error_text.h"
#include "calc/record_fields.h"
#include "calc/runoff.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace calc {

namespace {

// An empty entry or a finite number; for double and single-precision entries alike.
constexpr auto isFinite = [](const auto& entry) { return !entry || std::isfinite(*entry); };

// The first field of a run that holds an infinite or NaN value, named for the user; none when
// every value is a finite number. Infinities and NaN arise from huge or non-finite inputs in
// plain double arithmetic, which is well defined; they are refused here, once, at the end. The
// inputs come first, so the message names the cause rather than a consequence.
std::optional<std::string_view> firstNonFiniteField(const CalculationRecord& r) {
    std::optional<std::string_view> found;
    visitScalarFields(r, [&found](std::string_view, std::string_view noun, const Entry& value) {
        if (!found && !isFinite(value)) {
            found = noun;
        }
    });
    visitSeriesFields(r, [&found](std::string_view, std::string_view noun, const auto& values) {
        if (!found && !std::all_of(values.begin(), values.end(), isFinite)) {
            found = noun;
        }
    });
    for (const auto& row : r.convolutionTable) {
        if (!found && !std::all_of(row.begin(), row.end(), isFinite)) {
            found = "a tabela de convolução";
        }
    }
    return found;
}

} // namespace

util::Result<CalculationRecord> computeCalculationRecord(const CalculationInputs& inputs) {
    if (inputs.durationIndex < 0 || inputs.durationIndex >= kDurationCount) {
        return cannotCalculate("a duração da chuva unitária deve ser uma das " +
                               std::to_string(kDurationCount) + " da lista.");
    }

    // A fresh record: every field a run owns starts empty, so nothing of an earlier run stays.
    CalculationRecord record;
    record.durationIndex = inputs.durationIndex;
    record.curveNumber = inputs.curveNumber;
    record.drainageAreaKm2 = inputs.drainageAreaKm2;
    record.returnPeriodYears = inputs.returnPeriodYears;
    record.unitDurationH = durationHours[static_cast<std::size_t>(inputs.durationIndex)];
    // The tc this run used.
    record.concentrationTimeH = inputs.concentrationTimeH;

    if (auto error = computeUnitHydrographParameters(record)) {
        return *error;
    }
    if (auto error = computeRainfallConstants(inputs, record)) {
        return *error;
    }
    if (auto error = computeUnitHydrographOrdinates(record)) {
        return *error;
    }
    if (auto error = computeDesignStorm(record)) {
        return *error;
    }
    if (auto error = computeRunoffHydrograph(record)) {
        return *error;
    }
    if (auto field = firstNonFiniteField(record)) {
        return cannotCalculate("com os valores informados, " + std::string(*field) +
                               " sai do alcance numérico; confira os dados.");
    }
    return record;
}

} // namespace calc
