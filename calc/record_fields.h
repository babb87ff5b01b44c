#pragma once

#include "calc/record.h"

#include <string_view>

namespace calc {

// The record's fields once, in record order: the JSON and CSV exports name them by `name`, and a
// run's range check names them to the user by `noun`. Visitors, so a run's check copies nothing.

// Every scalar but durationIndex, which is a list position rather than a number:
// visit(name, noun, const Entry&). An IDF equation's constants only when the run used one.
using Ordinates = std::array<std::optional<float>, kSteps + 1>;

inline const Series& asSeries(const Series& series) {
    return series;
}
Series asSeries(const Ordinates& ordinates);

template <typename Visit> void visitScalarFields(const CalculationRecord& r, Visit&& visit) {
    visit("unitDurationH", "a duração unitária", r.unitDurationH);
    visit("curveNumber", "o CN", r.curveNumber);
    visit("drainageAreaKm2", "a área de drenagem", r.drainageAreaKm2);
    visit("returnPeriodYears", "o tempo de recorrência", r.returnPeriodYears);
    visit("channelLengthKm", "o comprimento do talvegue", r.channelLengthKm);
    visit("elevationDropM", "o desnível", r.elevationDropM);
    visit("concentrationTimeH", "o tempo de concentração", Entry(r.concentrationTimeH));
    visit("potentialRetentionMm", "a retenção potencial S", r.potentialRetentionMm);
    visit("riseTimeH", "o tempo de ascensão", r.riseTimeH);
    visit("baseTimeH", "o tempo de base", r.baseTimeH);
    visit("recessionTimeH", "o tempo de recessão", r.recessionTimeH);
    visit("unitPeakFlow", "a vazão de pico unitária", r.unitPeakFlow);
    visit("frequencyFactorK", "o fator K", r.frequencyFactorK);
    visit("idfCoefficientA", "o coeficiente a", r.idfCoefficientA);
    visit("idfCoefficientB", "o coeficiente b", r.idfCoefficientB);
    visit("idfCoefficientC", "o coeficiente c", r.idfCoefficientC);
    visit("durationAlpha", "o termo alfa", r.durationAlpha);
    visit("durationBeta", "o termo beta", r.durationBeta);
    visit("returnPeriodExponent", "o expoente do tempo de recorrência", r.returnPeriodExponent);
    // Only a run of an IDF equation holds these; the records of the other modes list none.
    if (r.idfEquationK) {
        visit("idfEquationK", "o K da equação IDF", r.idfEquationK);
        visit("idfExponentM", "o expoente m da equação IDF", r.idfExponentM);
        visit("idfTimeOffsetMin", "o t0 da equação IDF", r.idfTimeOffsetMin);
        visit("idfExponentN", "o expoente n da equação IDF", r.idfExponentN);
    }
}

// The step series, timesH first and totalFlow last (the convolution table is apart):
// visit(name, noun, values), the values a Series or, for the unit hydrograph, its
// single-precision ordinates; asSeries widens them to the doubles they enter the convolution as.
template <typename Visit> void visitSeriesFields(const CalculationRecord& r, Visit&& visit) {
    visit("timesH", "os tempos", r.timesH);
    visit("pointRainfallMm", "a chuva pontual", r.pointRainfallMm);
    visit("reducedRainfallMm", "a chuva abatida", r.reducedRainfallMm);
    visit("incrementalRainfallMm", "a chuva desacumulada", r.incrementalRainfallMm);
    visit("reorderedRainfallMm", "a chuva reordenada", r.reorderedRainfallMm);
    visit("cumulativeRainfallMm", "a chuva acumulada", r.cumulativeRainfallMm);
    visit("effectiveRainfallMm", "a chuva efetiva", r.effectiveRainfallMm);
    visit("incrementalEffectiveRainfallMm", "a chuva efetiva desacumulada",
          r.incrementalEffectiveRainfallMm);
    visit("unitHydrograph", "o hidrograma unitário", r.unitHydrograph);
    visit("totalFlow", "a vazão total", r.totalFlow);
}

} // namespace calc
