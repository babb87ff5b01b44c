#include "calc/runoff.h"

#include "calc/error_text.h"

#include <cfloat>
#include <cmath>
#include <string>

namespace calc {

std::optional<util::Failure> computeUnitHydrographParameters(CalculationRecord& record) {
    const double cn = record.curveNumber.value_or(0);
    if (cn == 0) {
        return cannotCalculate("o CN não pode ser zero.");
    }
    const double d = record.unitDurationH.value_or(0);
    const double tc = record.concentrationTimeH;
    const double area = record.drainageAreaKm2.value_or(0);

    record.potentialRetentionMm = (1000 / cn - 10) * 25.4;
    const double tp = d / 2 + 0.6 * tc;
    record.riseTimeH = tp;
    // 2.67 and 1.66666666667 stand as the method writes them: Tp + Tr falls just short of Tb.
    record.baseTimeH = 2.67 * tp;
    record.recessionTimeH = 1.66666666667 * tp;
    record.unitPeakFlow = 0.208 * area / tp;
    return std::nullopt;
}

std::optional<util::Failure> computeUnitHydrographOrdinates(CalculationRecord& record) {
    const double d = record.unitDurationH.value_or(0);
    const double tp = record.riseTimeH.value_or(0);
    const double tb = record.baseTimeH.value_or(0);
    const double tr = record.recessionTimeH.value_or(0);
    const double qp = record.unitPeakFlow.value_or(0);

    for (int k = 1; k <= kUnitHydrographSize; ++k) {
        const double t = k * d;
        double u = 0;
        if (t < tp) {
            u = qp / tp * t;
        } else if (t < tb) {
            u = qp / tr * tb - qp / tr * t;
        }
        // Converting a double outside float's range is undefined behaviour: refuse it first.
        if (!std::isfinite(u) || std::fabs(u) > FLT_MAX) {
            return cannotCalculate("a ordenada " + std::to_string(k) +
                                   " do hidrograma unitário está fora do alcance numérico; "
                                   "confira os valores informados.");
        }
        const auto ordinate = static_cast<float>(u);
        record.unitHydrograph[k] = ordinate;
        record.convolutionTable[0][k] = static_cast<double>(ordinate);
    }
    return std::nullopt;
}

namespace {

// Effective rainfall of each step from the cumulative rainfall and the retention.
std::optional<util::Failure> fillEffectiveRainfall(CalculationRecord& record) {
    const double s = record.potentialRetentionMm.value_or(0);
    for (int i = 1; i <= kSteps; ++i) {
        const double cumulative = record.cumulativeRainfallMm[i].value_or(0);
        const double initialAbstraction = 0.2 * s;
        if (cumulative > initialAbstraction) {
            const double excess = cumulative - initialAbstraction;
            const double squared = excess * excess;
            const double denominator = cumulative + 0.8 * s;
            if (denominator == 0) {
                return cannotCalculate(
                    "o denominador da fórmula da chuva efetiva é zero no passo " +
                    std::to_string(i) + "; confira o CN.");
            }
            record.effectiveRainfallMm[i] = squared / denominator;
        } else {
            record.effectiveRainfallMm[i] = 0.0;
        }
    }
    double previous = 0;
    for (int i = 1; i <= kSteps; ++i) {
        const double effective = *record.effectiveRainfallMm[i];
        record.incrementalEffectiveRainfallMm[i] = effective - previous;
        previous = effective;
    }
    return std::nullopt;
}

// Block j adds e_j * u_(i-j+1) to every later step i; the unit hydrograph is 0 past u_8. The
// total flow of a step is the sum of its column.
void convolve(CalculationRecord& record) {
    for (int j = 1; j <= kSteps; ++j) {
        const double excess = *record.incrementalEffectiveRainfallMm[j];
        for (int i = j; i <= kSteps; ++i) {
            const int k = i - j + 1;
            const double ordinate =
                k <= kUnitHydrographSize ? static_cast<double>(*record.unitHydrograph[k]) : 0.0;
            record.convolutionTable[j][i] = excess * ordinate;
        }
    }
    for (int i = 1; i <= kSteps; ++i) {
        double sum = 0;
        for (int j = 1; j <= kSteps; ++j) {
            sum = sum + record.convolutionTable[j][i].value_or(0);
        }
        record.totalFlow[i] = sum;
    }
}

} // namespace

std::optional<util::Failure> computeRunoffHydrograph(CalculationRecord& record) {
    if (auto error = fillEffectiveRainfall(record)) {
        return error;
    }
    convolve(record);
    return std::nullopt;
}

} // namespace calc
