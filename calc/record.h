#pragma once

#include <array>
#include <cstdint>
#include <optional>

namespace calc {

// Where the point rainfall comes from.
enum class EquationMode {
    Automatic, // "Automática": K, a, b, c from the station's constants and the return period
    Own,       // "Própria": K, a, b, c typed by the user
    Idf,       // "Equação IDF": an intensity-duration-frequency equation, see IdfEquation
};

// The intensity-duration-frequency equation i = k·TR^m / (t + t0Min)^n: i in mm/h, t and t0Min
// in minutes, TR in years.
struct IdfEquation {
    double k = 0;
    double m = 0;
    double t0Min = 0;
    double n = 0;

    bool operator==(const IdfEquation&) const = default;
};

inline constexpr int kSteps = 15;             // every series has entries 1..15
inline constexpr int kUnitHydrographSize = 8; // ordinates u_1..u_8
inline constexpr int kDurationCount = 13;     // entries of the duration list

// An entry a run did not compute holds no value; formulas read it as 0.
using Entry = std::optional<double>;
// Entries 1..15; index 0 is never filled.
using Series = std::array<Entry, kSteps + 1>;
// Rows and columns 0..15.
using ConvolutionTable = std::array<std::array<Entry, kSteps + 1>, kSteps + 1>;

// The seven constants of one station row; a null in the database is an empty value here.
struct StationCoefficients {
    std::optional<double> a, b, c, B5, B15, B30, Bm;

    bool operator==(const StationCoefficients&) const = default;
};

struct CalculationInputs {
    EquationMode mode = EquationMode::Automatic;
    std::int16_t durationIndex = 0;
    double curveNumber = 0;
    double drainageAreaKm2 = 0;
    double returnPeriodYears = 0;
    double concentrationTimeH = 0;
    // Mode Own only: the typed constants.
    double frequencyFactorK = 0;
    double idfCoefficientA = 0;
    double idfCoefficientB = 0;
    double idfCoefficientC = 0;
    // Mode Idf only: the equation.
    IdfEquation idfEquation;
    // Mode Automatic only: the station's constants (none when no station was chosen).
    std::optional<StationCoefficients> station;
};

// The result of one run: what it computed, and the inputs the report shows with it.
struct CalculationRecord {
    std::int16_t durationIndex = 0;
    Entry unitDurationH;
    Entry curveNumber;
    Entry drainageAreaKm2;
    Entry returnPeriodYears;

    // The length and drop the run was asked with (runRequest copies them from the request;
    // empty when tc was given without them). computeCalculationRecord leaves them at 0.
    Entry channelLengthKm = 0.0;
    Entry elevationDropM = 0.0;
    double concentrationTimeH = 0; // the tc the run used

    Entry potentialRetentionMm;
    Entry riseTimeH;
    Entry baseTimeH;
    Entry recessionTimeH;
    Entry unitPeakFlow;

    Entry frequencyFactorK;
    Entry idfCoefficientA;
    Entry idfCoefficientB;
    Entry idfCoefficientC;
    Entry durationAlpha;        // mode Automatic only
    Entry durationBeta;         // mode Automatic only
    Entry returnPeriodExponent; // mode Automatic only
    // Mode Idf only: the equation's k, m, t0 (min) and n.
    Entry idfEquationK;
    Entry idfExponentM;
    Entry idfTimeOffsetMin;
    Entry idfExponentN;

    Series timesH;
    Series pointRainfallMm;
    Series reducedRainfallMm;
    Series incrementalRainfallMm;
    Series reorderedRainfallMm;
    Series cumulativeRainfallMm;
    Series effectiveRainfallMm;
    Series incrementalEffectiveRainfallMm;
    // Ordinates 1..8 in single precision, as they enter the convolution; 9..15 empty.
    std::array<std::optional<float>, kSteps + 1> unitHydrograph;
    // Row 0 repeats unitHydrograph; row j, column i >= j holds e_j * u_(i-j+1).
    ConvolutionTable convolutionTable;
    Series totalFlow;
};

} // namespace calc
