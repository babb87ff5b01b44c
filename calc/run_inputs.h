#pragma once

#include "calc/run_request.h"

#include <array>
#include <optional>
#include <string_view>

namespace calc {

// The basin's and the storm's inputs of a run, each a number (the duration its list position).
enum class RunInputId {
    CurveNumber,
    DrainageArea,
    ChannelLength,
    ElevationDrop,
    ConcentrationTime,
    Duration,
    ReturnPeriod,
};

// How an input's text becomes its value.
enum class InputReading {
    Number,   // a plain number
    Duration, // a duration's label ("1 h"), or on the command line and in a batch its position
};

// One input and its name in every place a run is given: zeb-calc's option, the column of a
// batch file, the key of a study file (empty where a study keeps none: the window computes tc)
// and the label and unit the window and the report show it with.
struct RunInput {
    RunInputId id;
    std::string_view option;
    std::string_view batchColumn;
    std::string_view studyKey;
    std::string_view label;
    std::string_view unit;
    InputReading reading;
};

// In RunInputId's order, which is also the order a study file's inputs are read in.
inline constexpr std::array<RunInput, 7> kRunInputs = {{
    {RunInputId::CurveNumber, "--cn", "cn", "curveNumber", "Curve Number (CN)", "",
     InputReading::Number},
    {RunInputId::DrainageArea, "--area", "area", "drainageAreaKm2", "Área de drenagem", "km²",
     InputReading::Number},
    {RunInputId::ChannelLength, "--length", "length", "channelLengthKm", "Comprimento do talvegue",
     "km", InputReading::Number},
    {RunInputId::ElevationDrop, "--drop", "drop", "elevationDropM", "Desnível", "m",
     InputReading::Number},
    {RunInputId::ConcentrationTime, "--tc", "tc", "", "Tempo de concentração", "horas",
     InputReading::Number},
    {RunInputId::Duration, "--duration", "duration", "duration", "Duração da chuva unitária", "",
     InputReading::Duration},
    {RunInputId::ReturnPeriod, "--return-period", "return-period", "returnPeriodYears",
     "Tempo de recorrência", "anos", InputReading::Number},
}};

// The rainfall's constants, named alike as batch columns and study-file keys: a station's
// seven (StationCoefficients' order) and the own equation's four (RunRequest::ownConstants').
inline constexpr std::array<std::string_view, 7> kStationConstantNames = {"a",   "b",   "c", "B5",
                                                                          "B15", "B30", "Bm"};
inline constexpr std::array<std::string_view, 4> kOwnConstantNames = {"K", "a", "b", "c"};
// An IDF equation's four in IdfEquation's order: keys of a study file, and zeb-calc's --idf
// takes them in this order; a batch's columns are named apart, since K, a, b, c are the own
// equation's.
inline constexpr std::array<std::string_view, 4> kIdfConstantNames = {"K", "m", "t0", "n"};
inline constexpr std::array<std::string_view, 4> kIdfBatchColumns = {"idf-K", "idf-m", "idf-t0",
                                                                     "idf-n"};

// The four in kIdfConstantNames' order as an equation.
constexpr IdfEquation idfEquationOf(const std::array<double, 4>& values) {
    return {values[0], values[1], values[2], values[3]};
}

const RunInput& runInput(RunInputId id);

// Puts an input's value into the request; a duration's value is its list position.
void setRunInput(RunRequest& request, RunInputId id, double value);

} // namespace calc
