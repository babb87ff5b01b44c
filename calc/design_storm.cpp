#include "calc/design_storm.h"

#include "calc/durations.h"
#include "calc/error_text.h"

#include <cmath>
#include <string>

namespace calc {

namespace {

// The decimal logarithm as the relation defines it: ln(x) / ln(10), not a library log10,
// whose last digit may differ.
double decimalLog(double x) {
    return std::log(x) / std::log(10.0);
}

std::optional<util::Failure> missingStationValue(const char* fieldName) {
    return cannotCalculate(std::string("o posto não tem valor para ") + fieldName + ".");
}

// TR^0.25 of mode Automatic and TR^m of mode Idf are 0 at TR = 0 and have no real value below.
std::optional<util::Failure> returnPeriodNotPositive(const CalculationRecord& record) {
    if (record.returnPeriodYears.value_or(0) > 0) {
        return std::nullopt;
    }
    return cannotCalculate("o tempo de recorrência deve ser maior que zero.");
}

std::optional<util::Failure> idfConstants(const IdfEquation& equation, CalculationRecord& record) {
    if (auto error = returnPeriodNotPositive(record)) {
        return error;
    }
    record.idfEquationK = equation.k;
    record.idfExponentM = equation.m;
    record.idfTimeOffsetMin = equation.t0Min;
    record.idfExponentN = equation.n;
    return std::nullopt;
}

// P_1..P_15 from the IDF equation the record holds, or else from its K, a, b, c.
std::optional<util::Failure> fillPointRainfall(CalculationRecord& record) {
    if (record.idfEquationK) {
        const IdfEquation equation{*record.idfEquationK, record.idfExponentM.value_or(0),
                                   record.idfTimeOffsetMin.value_or(0),
                                   record.idfExponentN.value_or(0)};
        const double tr = record.returnPeriodYears.value_or(0);
        for (int i = 1; i <= kSteps; ++i) {
            record.pointRainfallMm[i] = idfPointRainfall(equation, tr, *record.timesH[i]);
        }
        return std::nullopt;
    }
    const double k = record.frequencyFactorK.value_or(0);
    const double a = record.idfCoefficientA.value_or(0);
    const double b = record.idfCoefficientB.value_or(0);
    const double c = record.idfCoefficientC.value_or(0);
    for (int i = 1; i <= kSteps; ++i) {
        const double t = *record.timesH[i];
        if (1 + c * t <= 0) {
            return cannotCalculate("1 + c·t deve ser maior que zero no passo " + std::to_string(i) +
                                   ", pois a equação de chuva usa log(1 + c·t).");
        }
        record.pointRainfallMm[i] = pointRainfall(k, a, b, c, t);
    }
    return std::nullopt;
}

} // namespace

BetaTerm betaTermFor(const StationCoefficients& station, int durationIndex) {
    switch (durationIndex) {
    case 0:
        return {&station.B5, "B5"};
    case 1:
        return {&station.B15, "B15"};
    case 2:
        return {&station.B30, "B30"};
    default:
        return {&station.Bm, "Bm"};
    }
}

double frequencyFactor(double returnPeriodYears, double alpha, double beta) {
    const double trPower = std::pow(returnPeriodYears, kReturnPeriodExponent);
    const double quotient = beta / trPower;
    const double exponent = alpha + quotient;
    return std::pow(returnPeriodYears, exponent);
}

double pointRainfall(double k, double a, double b, double c, double t) {
    const double linear = a * t;
    const double logTerm = b * decimalLog(1 + c * t);
    return k * (linear + logTerm);
}

double idfIntensity(const IdfEquation& equation, double returnPeriodYears, double tMin) {
    return equation.k * std::pow(returnPeriodYears, equation.m) /
           std::pow(tMin + equation.t0Min, equation.n);
}

double idfPointRainfall(const IdfEquation& equation, double returnPeriodYears, double t) {
    return idfIntensity(equation, returnPeriodYears, 60 * t) * t;
}

namespace {

// K, a, b, c of mode Automatic: K from the return period and the duration's alpha and beta,
// a, b, c the station's.
std::optional<util::Failure> stationConstants(const StationCoefficients& station,
                                              CalculationRecord& record) {
    const BetaTerm betaTerm = betaTermFor(station, record.durationIndex);
    if (!station.a) {
        return missingStationValue("a");
    }
    if (!station.b) {
        return missingStationValue("b");
    }
    if (!station.c) {
        return missingStationValue("c");
    }
    if (!*betaTerm.value) {
        return missingStationValue(betaTerm.fieldName);
    }
    if (auto error = returnPeriodNotPositive(record)) {
        return error;
    }
    const double tr = *record.returnPeriodYears;
    const double alpha = durationAlphaTable[static_cast<std::size_t>(record.durationIndex)];
    const double beta = **betaTerm.value;
    record.durationAlpha = alpha;
    record.durationBeta = beta;
    record.returnPeriodExponent = kReturnPeriodExponent;

    record.frequencyFactorK = frequencyFactor(tr, alpha, beta);
    record.idfCoefficientA = *station.a;
    record.idfCoefficientB = *station.b;
    record.idfCoefficientC = *station.c;
    return std::nullopt;
}

// One factor for every step; areas under 5 km² are not reduced (a factor of exactly 1 leaves
// every value as it is).
void reduceForArea(CalculationRecord& record) {
    const double area = record.drainageAreaKm2.value_or(0);
    double reduction = 1;
    if (area >= 5) {
        reduction = 1 - 0.1 * decimalLog(area / 5);
    }
    for (int i = 1; i <= kSteps; ++i) {
        record.reducedRainfallMm[i] = *record.pointRainfallMm[i] * reduction;
    }
}

// The increments always cover steps 1..6, then go on until the preceding time passes tc, and
// never beyond step 14.
void fillIncrements(CalculationRecord& record) {
    const double tc = record.concentrationTimeH;
    for (int n = 1; n <= 14; ++n) {
        const double previous = n == 1 ? 0.0 : *record.reducedRainfallMm[n - 1];
        record.incrementalRainfallMm[n] = *record.reducedRainfallMm[n] - previous;
        const double previousTime = n == 1 ? 0.0 : *record.timesH[n - 1];
        if (n >= 6 && previousTime > tc) {
            break;
        }
    }
}

// The six blocks by step number, not by size: the largest (step 1) lands at position 4; then
// the cumulative rainfall, the reduced rainfall itself past step 6.
void reorderBlocks(CalculationRecord& record) {
    constexpr int order[6] = {6, 4, 3, 1, 2, 5};
    for (int position = 1; position <= 6; ++position) {
        record.reorderedRainfallMm[position] = record.incrementalRainfallMm[order[position - 1]];
    }
    double cumulative = 0;
    for (int i = 1; i <= 6; ++i) {
        cumulative = cumulative + *record.reorderedRainfallMm[i];
        record.cumulativeRainfallMm[i] = cumulative;
    }
    for (int i = 7; i <= kSteps; ++i) {
        record.cumulativeRainfallMm[i] = record.reducedRainfallMm[i];
    }
}

} // namespace

std::optional<util::Failure> computeRainfallConstants(const CalculationInputs& inputs,
                                                      CalculationRecord& record) {
    if (inputs.mode == EquationMode::Own) {
        record.frequencyFactorK = inputs.frequencyFactorK;
        record.idfCoefficientA = inputs.idfCoefficientA;
        record.idfCoefficientB = inputs.idfCoefficientB;
        record.idfCoefficientC = inputs.idfCoefficientC;
        return std::nullopt;
    }
    if (inputs.mode == EquationMode::Idf) {
        return idfConstants(inputs.idfEquation, record);
    }
    if (!inputs.station) {
        return cannotCalculate("nenhum posto foi escolhido.");
    }
    return stationConstants(*inputs.station, record);
}

std::optional<util::Failure> computeDesignStorm(CalculationRecord& record) {
    const double d = record.unitDurationH.value_or(0);
    for (int i = 1; i <= kSteps; ++i) {
        record.timesH[i] = i * d;
    }
    if (auto error = fillPointRainfall(record)) {
        return error;
    }
    reduceForArea(record);
    fillIncrements(record);
    reorderBlocks(record);
    return std::nullopt;
}

} // namespace calc
