#include "rainfit/csv_records.h"
#include "rainfit/series_fields.h"
#include "rainfit/series_layouts.h"
#include "util/csv_stream.h"

#include <sstream>
#include <utility>

namespace rainfit {

namespace {

// One line "date,mm" into the series; the refusal names the line.
std::optional<util::Failure> takeDay(const util::CsvRecord& record, DailySeries& series) {
    if (record.fields.size() != 2) {
        return refusalAtLine(record.line, "espera 2 campos (data e total em mm), não " +
                                              std::to_string(record.fields.size()));
    }
    std::chrono::year_month_day date;
    std::optional<double> total;
    if (auto refusal = takeAtLine(readDate(record.fields[0]), record.line, date)) {
        return refusal;
    }
    if (auto refusal =
            takeAtLine(readDailyTotal(record.fields[1], DecimalMark::Period), record.line, total)) {
        return refusal;
    }
    if (!series.totalsMm.emplace(Day{date}, total).second) {
        return refusalAtLine(record.line, "o dia " + dateText(date) + " aparece de novo");
    }
    return std::nullopt;
}

} // namespace

util::Result<DailySeries> readPlainCsvSeries(std::string_view bytes) {
    DailySeries series;
    bool first = true;
    const auto refusal =
        takeCsvRecords(bytes, [&](const util::CsvRecord& record) -> std::optional<util::Failure> {
            if (std::exchange(first, false)) {
                if (record.fields.size() != 2) {
                    return unknownLayout();
                }
                if (!readDate(record.fields[0])) {
                    return std::nullopt; // the header
                }
            }
            return takeDay(record, series);
        });
    if (refusal) {
        return *refusal;
    }
    if (first) {
        return unknownLayout();
    }
    return series;
}

} // namespace rainfit
