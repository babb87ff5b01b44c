#include "calc/run_request.h"

#include "calc/concentration.h"
#include "calc/error_text.h"
#include "util/number_text.h"

#include <variant>

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
    } else {
        inputs.station = request.station;
    }
    return inputs;
}

} // namespace

CalculationResult runRequest(const RunRequest& request) {
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
    CalculationResult result = computeCalculationRecord(inputsOf(request, tc.value_or(0)));
    if (auto* record = std::get_if<CalculationRecord>(&result)) {
        record->channelLengthKm = request.channelLengthKm.value_or(0);
        record->elevationDropM = request.elevationDropM.value_or(0);
    }
    return result;
}

} // namespace calc
