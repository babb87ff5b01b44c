#include "calc/run_inputs.h"

namespace calc {

namespace {

constexpr bool inIdOrder() {
    for (std::size_t i = 0; i < kRunInputs.size(); ++i) {
        if (static_cast<std::size_t>(kRunInputs[i].id) != i) {
            return false;
        }
    }
    return true;
}
static_assert(inIdOrder(), "runInput() finds an input at its id's position");

} // namespace

const RunInput& runInput(RunInputId id) {
    return kRunInputs[static_cast<std::size_t>(id)];
}

void setRunInput(RunRequest& request, RunInputId id, double value) {
    switch (id) {
    case RunInputId::Duration:
        request.durationIndex = static_cast<int>(value);
        return;
    case RunInputId::CurveNumber:
        request.curveNumber = value;
        return;
    case RunInputId::DrainageArea:
        request.drainageAreaKm2 = value;
        return;
    case RunInputId::ChannelLength:
        request.channelLengthKm = value;
        return;
    case RunInputId::ElevationDrop:
        request.elevationDropM = value;
        return;
    case RunInputId::ConcentrationTime:
        request.concentrationTimeH = value;
        return;
    case RunInputId::ReturnPeriod:
        request.returnPeriodYears = value;
        return;
    }
}

} // namespace calc
