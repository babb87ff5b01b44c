#pragma once

// The published worked example, once for every test: "1 h", TR 100 years, A 50 km², tc 6 h,
// CN 75, station a 0.2, b 25, c 20, B5 -0.04, B15 0.08, B30 0.08, Bm 0.08.

#include "calc/calculation.h"
#include "calc/run_request.h"
#include "report/study_file.h"

#include <cstdlib>
#include <string>
#include <variant>
#include <vector>

namespace zebtest {

inline calc::CalculationInputs workedExampleInputs() {
    calc::CalculationInputs inputs;
    inputs.durationIndex = 3;
    inputs.curveNumber = 75;
    inputs.drainageAreaKm2 = 50;
    inputs.returnPeriodYears = 100;
    inputs.concentrationTimeH = 6;
    inputs.station = calc::StationCoefficients{0.2, 25, 20, -0.04, 0.08, 0.08, 0.08};
    return inputs;
}

// The record of a run that must succeed; a refused run ends the test program.
inline calc::CalculationRecord recordOf(const calc::CalculationInputs& inputs) {
    auto result = calc::computeCalculationRecord(inputs);
    if (!result) {
        std::abort();
    }
    return *result;
}

inline calc::CalculationRecord workedExampleRecord() {
    return recordOf(workedExampleInputs());
}

// The same run as the window and zeb-calc ask for it.
inline calc::RunRequest workedExampleRequest() {
    calc::RunRequest request;
    request.durationIndex = 3;
    request.curveNumber = 75;
    request.drainageAreaKm2 = 50;
    request.returnPeriodYears = 100;
    request.concentrationTimeH = 6;
    request.station = workedExampleInputs().station;
    return request;
}

// The same run as zeb-calc's arguments, followed by more.
inline std::vector<std::string> workedExampleArguments(const std::vector<std::string>& more = {}) {
    // clang-format off
    std::vector<std::string> arguments{"--duration", "1 h", "--return-period", "100", "--area", "50",
        "--tc", "6", "--cn", "75", "--station-constants", "0.2,25,20,-0.04,0.08,0.08,0.08"};
    // clang-format on
    arguments.insert(arguments.end(), more.begin(), more.end());
    return arguments;
}

// The golden report: the worked example, tc given without length and drop, with the river "Rio
// Sapucaí", the station "Posto ilustrativo (São João)", the time stamp below and C's separators.
inline constexpr const char* kGoldenTimestamp = "2024-05-17 14:30:00";
inline constexpr const char* kGoldenRiver = "Rio Sapucaí";
inline constexpr const char* kGoldenStation = "Posto ilustrativo (São João)";

// The golden report's run as a study file holds it, typed as in the window: the channel's
// length 30.46 km and drop 235.59 m give tc 6.00 h.
inline report::StudyInputs workedExampleStudy() {
    report::StudyInputs study;
    study.river = kGoldenRiver;
    study.station = calc::Station{"101", kGoldenStation, "", *workedExampleInputs().station};
    study.curveNumber = 75;
    study.drainageAreaKm2 = 50;
    study.channelLengthKm = 30.46;
    study.elevationDropM = 235.59;
    study.durationIndex = 3;
    study.returnPeriodYears = 100;
    return study;
}

} // namespace zebtest
