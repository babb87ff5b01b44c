#pragma once

#include "rainfit/daily_series.h"

#include <cstddef>
#include <string_view>

namespace rainfit {

// A daily series in the plain CSV "date,mm"; its first line is the header unless it already
// holds a date. A file whose first line has not two fields is in neither layout (unknownLayout).
util::Result<DailySeries> readPlainCsvSeries(std::string_view bytes);

} // namespace rainfit
