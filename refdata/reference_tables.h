#pragma once

#include "calc/record.h"

#include <optional>
#include <string>
#include <vector>

namespace refdata {

// A row of `zeb` exactly as stored, nulls included: what the builder writes and what the
// converter reads from an Access file.
struct StationRow {
    std::optional<std::string> codigo;
    std::optional<std::string> nome;
    std::optional<std::string> estado;
    calc::StationCoefficients coefficients;
};

// A row of `cn` exactly as stored. The first column is kept though the program never reads it.
struct CurveNumberRow {
    std::optional<std::string> id;
    std::optional<std::string> terreno;
    std::optional<std::string> zona;
    std::optional<double> cn;
};

// Both tables in stored order.
struct ReferenceTables {
    std::vector<StationRow> stations;
    std::vector<CurveNumberRow> curveNumbers;
};

} // namespace refdata
