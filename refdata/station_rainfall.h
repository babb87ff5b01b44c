#pragma once

#include "calc/run_inputs.h"
#include "calc/station.h"
#include "refdata/reference_tables.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

namespace refdata {

// An IDF equation's columns in `zeb` and in the stations file, in IdfEquation's order (named as
// a batch's columns), and its source's.
inline constexpr const auto& kIdfColumns = calc::kIdfBatchColumns;
inline constexpr std::string_view kIdfSourceColumn = "idf-fonte";

// Which of a station's values are given: any of the seven constants, each of the IDF equation's
// four numbers, and its source.
struct GivenRainfall {
    bool anyConstant = false;
    std::array<bool, 4> idf{};
    bool source = false;

    // The station holds an IDF equation: one of its values is given.
    bool idfKind() const { return source || idf[0] || idf[1] || idf[2] || idf[3]; }
};

// Why a station holds no one rainfall relation, in Portuguese: it has both the constants and
// an IDF equation, or an IDF equation lacking one of its numbers; none otherwise (a station
// without an IDF equation is one of the seven constants, and each constant is checked apart).
std::optional<std::string> mixedRainfallRefusal(const GivenRainfall& given);

// Which of a stored row's values are given.
GivenRainfall givenIn(const StationRow& row);

// The rainfall relation of a stored row, or the reason it has none.
std::variant<calc::StationRainfall, std::string> rainfallOfRow(const StationRow& row);

} // namespace refdata
