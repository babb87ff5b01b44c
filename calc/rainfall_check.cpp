#include "calc/rainfall_check.h"

#include "calc/design_storm.h"
#include "calc/durations.h"

#include <charconv>
#include <cmath>
#include <utility>

namespace calc {

namespace {

constexpr int kDailyIndex = 8; // "24 h"

// The time of step `step` of a duration's run, in the duration's own unit: step 3 of "30 min"
// is "90 min".
std::string stepTime(int durationIndex, int step) {
    const std::string_view label = durationLabels[static_cast<std::size_t>(durationIndex)];
    const std::size_t space = label.find(' ');
    int count = 0;
    std::from_chars(label.data(), label.data() + space, count);
    return std::to_string(count * step) + std::string(label.substr(space));
}

// One decimal and a decimal comma, as the user reads rainfall.
std::string millimetres(double value) {
    char text[64];
    const auto end =
        std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, 1).ptr;
    std::string result(text, end);
    for (char& character : result) {
        character = character == '.' ? ',' : character;
    }
    return result + " mm";
}

// Each step's rainfall with K = 1, so that K times it is exactly the run's point rainfall.
using Shape = std::array<std::array<double, kSteps + 1>, kDurationCount>;

Shape shapeOf(double a, double b, double c) {
    Shape shape{};
    for (int d = 0; d < kDurationCount; ++d) {
        for (int i = 1; i <= kSteps; ++i) {
            shape[d][i] = pointRainfall(1, a, b, c, i * durationHours[d]);
        }
    }
    return shape;
}

// The first fault of one duration's rainfall: its first step against the previous duration's
// (K `previousK`), then each step against the one before; `forTr` is the return period's words
// in the message (empty for the own equation).
std::optional<std::string> durationFault(const Shape& shape, int d, double previousK, double k,
                                         const std::string& forTr) {
    for (int i = 1; i <= kSteps; ++i) {
        const double rainfall = k * shape[d][i];
        const bool hasPrevious = i > 1 || d > 0;
        const double previous = i > 1   ? k * shape[d][i - 1]
                                : d > 0 ? previousK * shape[d - 1][1]
                                        : 0;
        std::string fault;
        if (!std::isfinite(rainfall)) {
            fault = " não é um número finito";
        } else if (!(rainfall > 0)) {
            fault = " não é maior que zero";
        } else if (hasPrevious && !(rainfall > previous)) {
            fault = " não é maior que a de " +
                    (i > 1 ? stepTime(d, i - 1) : std::string(durationLabels[d - 1]));
        } else {
            continue;
        }
        std::string what = "a precipitação pontual de " + stepTime(d, i);
        if (i > 1) {
            what += " (passo " + std::to_string(i) + " da duração " +
                    std::string(durationLabels[d]) + ")";
        }
        return what + forTr + fault;
    }
    return std::nullopt;
}

// The words that name the r-th checked return period in a message.
std::string forReturnPeriod(std::size_t r) {
    return " para TR " + std::to_string(static_cast<int>(kCheckedReturnPeriods[r])) + " anos";
}

bool complete(const StationCoefficients& s) {
    return s.a && s.b && s.c && s.B5 && s.B15 && s.B30 && s.Bm;
}

double stationK(const StationCoefficients& station, int durationIndex, double returnPeriodYears) {
    return frequencyFactor(returnPeriodYears, durationAlphaTable[durationIndex],
                           **betaTermFor(station, durationIndex).value);
}

} // namespace

std::optional<std::string> stationRainfallRefusal(const StationCoefficients& station) {
    if (!complete(station)) {
        return std::nullopt;
    }
    const Shape shape = shapeOf(*station.a, *station.b, *station.c);
    std::array<std::array<double, kDurationCount>, kCheckedReturnPeriods.size()> k{};
    for (std::size_t r = 0; r < kCheckedReturnPeriods.size(); ++r) {
        for (int d = 0; d < kDurationCount; ++d) {
            k[r][d] = stationK(station, d, kCheckedReturnPeriods[r]);
        }
    }
    for (int d = 0; d < kDurationCount; ++d) {
        for (std::size_t r = 0; r < kCheckedReturnPeriods.size(); ++r) {
            if (auto fault =
                    durationFault(shape, d, d > 0 ? k[r][d - 1] : 0, k[r][d], forReturnPeriod(r))) {
                return fault;
            }
        }
    }
    return std::nullopt;
}

std::optional<std::string> idfRainfallRefusal(const IdfEquation& equation) {
    const std::pair<bool, const char*> ranges[] = {
        {std::isfinite(equation.k) && equation.k > 0, "K deve ser um número finito maior que 0"},
        {std::isfinite(equation.m), "m deve ser um número finito"},
        {std::isfinite(equation.t0Min) && equation.t0Min >= 0,
         "t0 deve ser um número finito maior ou igual a 0 min"},
        {std::isfinite(equation.n) && equation.n > 0, "n deve ser um número finito maior que 0"},
    };
    for (const auto& [valid, rule] : ranges) {
        if (!valid) {
            return rule;
        }
    }
    std::array<Shape, kCheckedReturnPeriods.size()> rainfall{};
    for (std::size_t r = 0; r < kCheckedReturnPeriods.size(); ++r) {
        for (int d = 0; d < kDurationCount; ++d) {
            for (int i = 1; i <= kSteps; ++i) {
                rainfall[r][d][i] =
                    idfPointRainfall(equation, kCheckedReturnPeriods[r], i * durationHours[d]);
            }
        }
    }
    for (int d = 0; d < kDurationCount; ++d) {
        for (std::size_t r = 0; r < kCheckedReturnPeriods.size(); ++r) {
            if (auto fault = durationFault(rainfall[r], d, 1, 1, forReturnPeriod(r))) {
                return fault;
            }
        }
    }
    return std::nullopt;
}

std::optional<std::string> ownRainfallRefusal(const std::array<double, 4>& kabc) {
    const Shape shape = shapeOf(kabc[1], kabc[2], kabc[3]);
    for (int d = 0; d < kDurationCount; ++d) {
        if (auto fault = durationFault(shape, d, kabc[0], kabc[0], "")) {
            return fault;
        }
    }
    return std::nullopt;
}

std::optional<std::string> stationRainfallWarning(const StationCoefficients& station) {
    if (!complete(station)) {
        return std::nullopt;
    }
    const double rainfall = pointRainfall(stationK(station, kDailyIndex, 100), *station.a,
                                          *station.b, *station.c, durationHours[kDailyIndex]);
    if (rainfall >= kUsualDailyRainfallMm[0] && rainfall <= kUsualDailyRainfallMm[1]) {
        return std::nullopt;
    }
    return "a chuva de 24 h e TR 100 anos é " + millimetres(rainfall) +
           ", fora do usual (30 a 600 mm)";
}

} // namespace calc
