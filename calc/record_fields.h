#pragma once

#include "calc/record.h"

#include <string_view>
#include <vector>

namespace calc {

// The record's fields once, in record order: the JSON and CSV exports name them by `name`, and a
// run's range check names them to the user by `noun`.

struct ScalarField {
    std::string_view name;
    std::string_view noun;
    Entry value;
};

struct SeriesField {
    std::string_view name;
    std::string_view noun;
    Series values; // the unit hydrograph's single-precision ordinates widened exactly
};

// Every scalar but durationIndex, which is a list position rather than a number.
std::vector<ScalarField> scalarFields(const CalculationRecord& record);

// The step series, timesH first and totalFlow last; the convolution table is apart.
std::vector<SeriesField> seriesFields(const CalculationRecord& record);

} // namespace calc
