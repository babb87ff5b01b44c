#pragma once

#include "refdata/reference_tables.h"
#include "util/failure.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace refdata {

// A station's fields as a user writes them: code, name, state, a, b, c, B5, B15, B30, Bm, and
// the IDF equation's K, m, t0, n and source; the kind it holds is the one whose fields are
// filled.
struct StationTexts {
    std::string code;
    std::string name;
    std::string state;
    std::array<std::string, 7> constants;
    std::array<std::string, 4> idf;
    std::string idfSource;
};

// The station, or the reason it is refused (an invalid input), checked as one line of the
// stations file: its code, name, and seven numbers or an IDF equation's four, never a mix,
// and a point rainfall that is possible (calc/rainfall_check.h).
util::Result<StationRow> stationFromTexts(const StationTexts& texts);

// The warning for a station kept although its rainfall is unusual, naming the station; none
// otherwise. And the warnings of several, in their order.
std::optional<std::string> stationWarning(const StationRow& row);
std::vector<std::string> stationWarnings(const std::vector<StationRow>& rows);

} // namespace refdata
