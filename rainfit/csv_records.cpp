#include "rainfit/csv_records.h"

#include "rainfit/refusal.h"

#include <sstream>
#include <string>

namespace rainfit {

std::optional<util::Failure> takeCsvRecords(std::string_view bytes, const CsvRecordTaker& take) {
    std::istringstream in{std::string(bytes)};
    util::CsvStream csv(in);
    util::CsvRecord record;
    for (auto read = csv.next(record); read != util::CsvStream::Read::End;
         read = csv.next(record)) {
        if (read == util::CsvStream::Read::Malformed) {
            return refusalAtLine(csv.errorLine(), csv.error());
        }
        if (auto refusal = take(record)) {
            return refusal;
        }
    }
    return std::nullopt;
}

} // namespace rainfit
