#include "calc/record_fields.h"

namespace calc {

std::vector<ScalarField> scalarFields(const CalculationRecord& r) {
    return {
        {"unitDurationH", "a duração unitária", r.unitDurationH},
        {"curveNumber", "o CN", r.curveNumber},
        {"drainageAreaKm2", "a área de drenagem", r.drainageAreaKm2},
        {"returnPeriodYears", "o tempo de recorrência", r.returnPeriodYears},
        {"channelLengthKm", "o comprimento do talvegue", r.channelLengthKm},
        {"elevationDropM", "o desnível", r.elevationDropM},
        {"concentrationTimeH", "o tempo de concentração", r.concentrationTimeH},
        {"potentialRetentionMm", "a retenção potencial S", r.potentialRetentionMm},
        {"riseTimeH", "o tempo de ascensão", r.riseTimeH},
        {"baseTimeH", "o tempo de base", r.baseTimeH},
        {"recessionTimeH", "o tempo de recessão", r.recessionTimeH},
        {"unitPeakFlow", "a vazão de pico unitária", r.unitPeakFlow},
        {"frequencyFactorK", "o fator K", r.frequencyFactorK},
        {"idfCoefficientA", "o coeficiente a", r.idfCoefficientA},
        {"idfCoefficientB", "o coeficiente b", r.idfCoefficientB},
        {"idfCoefficientC", "o coeficiente c", r.idfCoefficientC},
        {"durationAlpha", "o termo alfa", r.durationAlpha},
        {"durationBeta", "o termo beta", r.durationBeta},
        {"returnPeriodExponent", "o expoente do tempo de recorrência", r.returnPeriodExponent},
    };
}

std::vector<SeriesField> seriesFields(const CalculationRecord& r) {
    Series unitHydrograph;
    for (int k = 0; k <= kSteps; ++k) {
        if (r.unitHydrograph[k]) {
            unitHydrograph[k] = static_cast<double>(*r.unitHydrograph[k]);
        }
    }
    return {
        {"timesH", "os tempos", r.timesH},
        {"pointRainfallMm", "a chuva pontual", r.pointRainfallMm},
        {"reducedRainfallMm", "a chuva abatida", r.reducedRainfallMm},
        {"incrementalRainfallMm", "a chuva desacumulada", r.incrementalRainfallMm},
        {"reorderedRainfallMm", "a chuva reordenada", r.reorderedRainfallMm},
        {"cumulativeRainfallMm", "a chuva acumulada", r.cumulativeRainfallMm},
        {"effectiveRainfallMm", "a chuva efetiva", r.effectiveRainfallMm},
        {"incrementalEffectiveRainfallMm", "a chuva efetiva desacumulada",
         r.incrementalEffectiveRainfallMm},
        {"unitHydrograph", "o hidrograma unitário", unitHydrograph},
        {"totalFlow", "a vazão total", r.totalFlow},
    };
}

} // namespace calc
