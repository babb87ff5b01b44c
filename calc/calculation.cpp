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

bool isFinite(const Entry& entry) {
    return !entry || std::isfinite(*entry);
}

// The first field of a run that holds an infinite or NaN value, named for the user; none when
// every value is a finite number. Infinities and NaN arise from huge or non-finite inputs in
// plain double arithmetic, which is well defined; they are refused here, once, at the end. The
// inputs come first, so the message names the cause rather than a consequence.
std::optional<std::string_view> firstNonFiniteField(const CalculationRecord& r) {
    for (const ScalarField& field : scalarFields(r)) {
        if (!isFinite(field.value)) {
            return field.noun;
        }
    }
    for (const SeriesField& field : seriesFields(r)) {
        if (!std::ranges::all_of(field.values, isFinite)) {
            return field.noun;
        }
    }
    for (const auto& row : r.convolutionTable) {
        if (!std::ranges::all_of(row, isFinite)) {
            return "a tabela de convolução";
        }
    }
    return std::nullopt;
}

} // namespace

CalculationResult computeCalculationRecord(const CalculationInputs& inputs) {
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
    // The tc this run used; copyRunFields keeps the window's own.
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

void copyRunFields(const CalculationRecord& run, CalculationRecord& target) {
    const Entry channelLengthKm = target.channelLengthKm;
    const Entry elevationDropM = target.elevationDropM;
    const double concentrationTimeH = target.concentrationTimeH;
    target = run;
    target.channelLengthKm = channelLengthKm;
    target.elevationDropM = elevationDropM;
    target.concentrationTimeH = concentrationTimeH;
}

} // namespace calc
