#pragma once

#include "calc/record.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace refdata {

// A row of `zeb` exactly as stored, nulls included: what the builder writes and what the
// converter reads from an Access file.
struct StationRow {
    std::optional<std::string> code;
    std::optional<std::string> name;
    std::optional<std::string> state;
    calc::StationCoefficients coefficients;
    // An IDF equation's K, m, t0 and n, and its source: all empty in a row that holds the seven
    // constants, and in every row of a table made before they were kept.
    std::array<std::optional<double>, 4> idf;
    std::optional<std::string> idfSource;
};

// A row of `cn` exactly as stored. The first column is kept though the program never reads it.
struct CurveNumberRow {
    std::optional<std::string> id;
    std::optional<std::string> landClass;
    std::optional<std::string> zone;
    std::optional<double> curveNumber;
};

// Both tables in stored order.
struct ReferenceTables {
    std::vector<StationRow> stations;
    std::vector<CurveNumberRow> curveNumbers;
};

} // namespace refdata
