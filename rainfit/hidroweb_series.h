#pragma once

#include "rainfit/daily_series.h"

#include <cstddef>
#include <string_view>

namespace rainfit {

// A daily series in the layout of the HidroWeb export, from its header line on; `headerLine` is
// that line's number in the file.
util::Result<DailySeries> readHidroWebSeries(std::string_view fromHeader, std::size_t headerLine);

} // namespace rainfit
