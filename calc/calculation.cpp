#include "calc/calculation.h"

#include "calc/design_storm.h"
#include "calc/durations.h"
#include "calc/error_text.h"
#include "calc/runoff.h"

#include <cmath>
#include <string>

namespace calc {

namespace {

bool isFinite(const Entry& entry) {
    return !entry || std::isfinite(*entry);
}

template <typename Array> bool allFinite(const Array& entries) {
    for (const auto& entry : entries) {
        if (entry && !std::isfinite(*entry)) {
            return false;
        }
    }
    return true;
}

// The first field of a run that holds an infinite or NaN value, named for the user; none when
// every value is a finite number. Infinities and NaN arise from huge or non-finite inputs in
// plain double arithmetic, which is well defined; they are refused here, once, at the end.
std::optional<std::string> firstNonFiniteField(const CalculationRecord& r) {
    const std::pair<const Entry*, const char*> scalars[] = {
        {&r.unitDurationH, "a duração unitária"},
        {&r.curveNumber, "o CN"},
        {&r.drainageAreaKm2, "a área de drenagem"},
        {&r.returnPeriodYears, "o tempo de recorrência"},
        {&r.potentialRetentionMm, "a retenção potencial S"},
        {&r.riseTimeH, "o tempo de ascensão"},
        {&r.baseTimeH, "o tempo de base"},
        {&r.recessionTimeH, "o tempo de recessão"},
        {&r.unitPeakFlow, "a vazão de pico unitária"},
        {&r.frequencyFactorK, "o fator K"},
        {&r.idfCoefficientA, "o coeficiente a"},
        {&r.idfCoefficientB, "o coeficiente b"},
        {&r.idfCoefficientC, "o coeficiente c"},
        {&r.durationAlpha, "o termo alfa"},
        {&r.durationBeta, "o termo beta"},
        {&r.returnPeriodExponent, "o expoente do tempo de recorrência"},
    };
    // The inputs come first, so the message names the cause rather than a consequence.
    if (!std::isfinite(r.concentrationTimeH)) {
        return "o tempo de concentração";
    }
    for (const auto& [entry, name] : scalars) {
        if (!isFinite(*entry)) {
            return name;
        }
    }
    const std::pair<const Series*, const char*> series[] = {
        {&r.timesH, "os tempos"},
        {&r.pointRainfallMm, "a chuva pontual"},
        {&r.reducedRainfallMm, "a chuva abatida"},
        {&r.incrementalRainfallMm, "a chuva desacumulada"},
        {&r.reorderedRainfallMm, "a chuva reordenada"},
        {&r.cumulativeRainfallMm, "a chuva acumulada"},
        {&r.effectiveRainfallMm, "a chuva efetiva"},
        {&r.incrementalEffectiveRainfallMm, "a chuva efetiva desacumulada"},
        {&r.totalFlow, "a vazão total"},
    };
    for (const auto& [entries, name] : series) {
        if (!allFinite(*entries)) {
            return name;
        }
    }
    if (!allFinite(r.unitHydrograph)) {
        return "o hidrograma unitário";
    }
    for (const auto& row : r.convolutionTable) {
        if (!allFinite(row)) {
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
        return cannotCalculate("com os valores informados, " + *field +
                               " sai do alcance numérico; confira os dados.");
    }
    return record;
}

void copyRunFields(const CalculationRecord& run, CalculationRecord& target) {
    const double channelLengthKm = target.channelLengthKm;
    const double elevationDropM = target.elevationDropM;
    const double concentrationTimeH = target.concentrationTimeH;
    target = run;
    target.channelLengthKm = channelLengthKm;
    target.elevationDropM = elevationDropM;
    target.concentrationTimeH = concentrationTimeH;
}

} // namespace calc
