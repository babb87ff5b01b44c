#include "calc/run_request.h"

#include "calc/concentration.h"
#include "calc/error_text.h"
#include "calc/rainfall_check.h"
#include "numbers/number_text.h"

#include <string>
#include <utility>

namespace calc {

namespace {

CalculationInputs inputsOf(const RunRequest& request, double concentrationTimeH) {
    CalculationInputs inputs;
    inputs.mode = request.mode;
    inputs.durationIndex = static_cast<std::int16_t>(request.durationIndex);
    inputs.curveNumber = request.curveNumber;
    inputs.drainageAreaKm2 = request.drainageAreaKm2;
    inputs.returnPeriodYears = request.returnPeriodYears;
    inputs.concentrationTimeH = concentrationTimeH;
    if (request.mode == EquationMode::Own) {
        inputs.frequencyFactorK = request.ownConstants[0];
        inputs.idfCoefficientA = request.ownConstants[1];
        inputs.idfCoefficientB = request.ownConstants[2];
        inputs.idfCoefficientC = request.ownConstants[3];
    } else if (request.mode == EquationMode::Idf) {
        inputs.idfEquation = request.idfEquation;
    } else {
        inputs.station = request.station;
    }
    return inputs;
}

std::optional<util::Failure> invalid(const std::string& rule) {
    return util::Failure{util::Failure::Kind::InvalidInput, "Valor inválido: " + rule + "."};
}

std::optional<util::Failure> refusedInput(const RunRequest& request) {
    // NaN fails every comparison, so each rule is written as what a valid value satisfies.
    if (request.curveNumber != 0 && !isValidCurveNumber(request.curveNumber)) {
        return invalid(kCurveNumberRange);
    }
    const std::pair<std::optional<double>, const char*> positive[] = {
        {request.drainageAreaKm2, "a área de drenagem deve ser maior que 0 km²"},
        {request.channelLengthKm, "o comprimento do talvegue deve ser maior que 0 km"},
        {request.elevationDropM, "o desnível deve ser maior que 0 m"},
        {request.concentrationTimeH, "o tempo de concentração deve ser maior que 0 horas"},
        {request.mode != EquationMode::Own ? std::optional(request.returnPeriodYears)
                                           : std::nullopt,
         "o tempo de recorrência deve ser maior que 0 anos"},
    };
    for (const auto& [value, rule] : positive) {
        if (value && !(*value > 0)) {
            return invalid(rule);
        }
    }
    // Read in both modes, and reported in mode Own.
    if (!(request.returnPeriodYears <= kMaxReturnPeriodYears)) {
        return invalid("o tempo de recorrência deve ser no máximo 100000 anos");
    }
    return std::nullopt;
}

// The run of a request whose inputs were accepted.
util::Result<CalculationRecord> computeAccepted(const RunRequest& request) {
    std::optional<double> tc = request.concentrationTimeH;
    if (!tc && request.channelLengthKm && request.elevationDropM) {
        tc = computeConcentrationTime(*request.channelLengthKm, *request.elevationDropM);
        if (!tc) {
            return cannotCalculate("o tempo de concentração não tem valor para o comprimento " +
                                   util::exactNumberText(*request.channelLengthKm) +
                                   " km e o desnível " +
                                   util::exactNumberText(*request.elevationDropM) +
                                   " m (desnível zero, quociente negativo ou resultado grande "
                                   "demais).");
        }
    }
    util::Result<CalculationRecord> result =
        computeCalculationRecord(inputsOf(request, tc.value_or(0)));
    if (result) {
        result->channelLengthKm = request.channelLengthKm;
        result->elevationDropM = request.elevationDropM;
    }
    return result;
}

} // namespace

bool isValidCurveNumber(double curveNumber) {
    return curveNumber > 0 && curveNumber <= 100;
}

std::optional<util::Failure> refusedRainfall(const RunRequest& request) {
    if (request.mode == EquationMode::Own) {
        if (auto reason = ownRainfallRefusal(request.ownConstants)) {
            return invalid("a equação própria (K, a, b, c) foi recusada: " + *reason);
        }
    } else if (request.mode == EquationMode::Idf) {
        if (auto reason = idfRainfallRefusal(request.idfEquation)) {
            return invalid("a equação IDF (K, m, t0, n) foi recusada: " + *reason);
        }
    } else if (request.station) {
        if (auto reason = stationRainfallRefusal(*request.station)) {
            return invalid("as constantes do posto foram recusadas: " + *reason);
        }
    }
    return std::nullopt;
}

util::Result<CalculationRecord> runRequest(const RunRequest& request) {
    if (auto refused = refusedInput(request)) {
        return *refused;
    }
    if (auto refused = refusedRainfall(request)) {
        return *refused;
    }
    return computeAccepted(request);
}

util::Result<CalculationRecord> runRequestWithCheckedRainfall(const RunRequest& request) {
    if (auto refused = refusedInput(request)) {
        return *refused;
    }
    return computeAccepted(request);
}

void takeStationRainfall(RunRequest& request, const StationRainfall& rainfall) {
    if (const auto* idf = std::get_if<StationIdfEquation>(&rainfall)) {
        request.mode = EquationMode::Idf;
        request.idfEquation = idf->equation;
    } else {
        request.station = std::get<StationCoefficients>(rainfall);
    }
}

} // namespace calc
