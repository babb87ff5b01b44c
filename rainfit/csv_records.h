#pragma once

#include "util/csv_stream.h"
#include "util/failure.h"

#include <functional>
#include <optional>
#include <string_view>

namespace rainfit {

// What is done with one record of a CSV text: nothing to say, or the refusal that stops the
// reading.
using CsvRecordTaker = std::function<std::optional<util::Failure>(const util::CsvRecord& record)>;

// Every record of the CSV text handed to `take` in order; a malformed record is refused naming
// its line, and the first refusal `take` gives stops the reading.
std::optional<util::Failure> takeCsvRecords(std::string_view bytes, const CsvRecordTaker& take);

} // namespace rainfit
