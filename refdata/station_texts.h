#pragma once

#include "refdata/reference_tables.h"
#include "util/failure.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace refdata {

// A station's fields as a user writes them: code, name, state and a, b, c, B5, B15, B30, Bm.
struct StationTexts {
    std::string code;
    std::string name;
    std::string state;
    std::array<std::string, 7> constants;
};

// The station, or the reason it is refused (an invalid input), checked as one line of the
// stations file: its code, name and seven numbers, and a point rainfall that is possible
// (calc/rainfall_check.h).
util::Result<StationRow> stationFromTexts(const StationTexts& texts);

// The warning for a station kept although its rainfall is unusual, naming the station; none
// otherwise. And the warnings of several, in their order.
std::optional<std::string> stationWarning(const StationRow& row);
std::vector<std::string> stationWarnings(const std::vector<StationRow>& rows);

} // namespace refdata
