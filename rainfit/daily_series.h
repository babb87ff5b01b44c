#pragma once

#include "rainfit/refusal.h"

#include <chrono>
#include <map>
#include <optional>
#include <string>
#include <string_view>

namespace rainfit {

using Day = std::chrono::sys_days;

// The daily rainfall totals of one gauge. A day listed without a value, or not listed at all,
// is a missing day.
struct DailySeries {
    std::map<Day, std::optional<double>> totalsMm;
    std::string stationCode; // the agency's code of the gauge, when the file gives it
};

// A series from a file's bytes, its layout told by its content: the national water agency's
// HidroWeb export (notes, then the header "EstacaoCodigo;NivelConsistencia;Data;…" and one line
// per station-month) or a plain CSV "date,mm" with a header line. Refused, naming the line: an
// unknown layout, a value that is not a number, a negative total, an impossible date, a day
// repeated in the plain CSV, a month repeated at the same consistency level in the export.
util::Result<DailySeries> readDailySeries(std::string_view bytes);

} // namespace rainfit
