#pragma once

#include "refdata/reference_tables.h"

#include <filesystem>
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

// The curve-number file: a header whose first column is kept but never read, the second is
// terreno, and zona and cn follow in any order; one land class per line with its zone
// ("Rural" or "Urbana") and a curve number above 0 and at most 100.
std::vector<CurveNumberRow> readCurveNumbersCsv(const std::filesystem::path& file);

} // namespace refdata
