#pragma once

#include "rainfit/daily_series.h"

#include <cstddef>
#include <string_view>

namespace rainfit {

// The two layouts a daily series is read from; see readDailySeries.

// The HidroWeb export from its header line on; `headerLine` is that line's number in the file.
util::Result<DailySeries> readHidroWebSeries(std::string_view fromHeader, std::size_t headerLine);

// The plain CSV "date,mm"; its first line is the header unless it already holds a date.
util::Result<DailySeries> readPlainCsvSeries(std::string_view bytes);

// The refusal of a file in neither layout.
util::Failure unknownLayout();

} // namespace rainfit
