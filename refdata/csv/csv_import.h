#pragma once

#include "refdata/reference_tables.h"

#include <array>
#include <filesystem>
#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace refdata {

// The stations file: a header whose first three names are codigo,nome,estado in this
// order, then a,b,c,B5,B15,B30,Bm in any order, and maybe idf-K,idf-m,idf-t0,idf-n and
// idf-fonte (a missing one reads as empty; other columns are ignored); one station per line with
// a code, a name
// and either all seven constants or the IDF equation's four numbers (with its source, which may
// be empty), never a mix, numbers with a period as decimal mark. Throws DatabaseFailure with
// the file, the line and the reason.
std::vector<StationRow> readStationsCsv(const std::filesystem::path& file);

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

// The station, or the reason it is refused, checked as one line of the stations file: its
// code, name, and seven numbers or an IDF equation's four, never a mix, and a point rainfall
// that is possible (calc/rainfall_check.h).
std::variant<StationRow, std::string> stationFromTexts(const StationTexts& texts);

// The warning for a station kept although its rainfall is unusual, naming the station; none
// otherwise. And the warnings of several, in their order.
std::optional<std::string> stationWarning(const StationRow& row);
std::vector<std::string> stationWarnings(const std::vector<StationRow>& rows);

// The curve-number file: a header whose first column is kept but never read, the second is
// terreno, and zona and cn follow in any order; one land class per line with its zone
// ("Rural" or "Urbana") and a curve number above 0 and at most 100.
std::vector<CurveNumberRow> readCurveNumbersCsv(const std::filesystem::path& file);

} // namespace refdata
