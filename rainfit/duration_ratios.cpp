#include "rainfit/duration_ratios.h"

#include "numbers/number_reading.h"
#include "rainfit/csv_records.h"
#include "util/csv_stream.h"
#include "util/text.h"

#include <cmath>
#include <sstream>

namespace rainfit {

DurationRatios cetesbRatios() {
    // In the order of kDurationsMin: 5, 10, 15, 20, 25 and 30 min, 1, 6, 8, 10, 12 and 24 h.
    return {{{
        {30, 0.34},
        {30, 0.54},
        {30, 0.70},
        {30, 0.81},
        {30, 0.91},
        {60, 0.74},
        {1440, 0.42},
        {1440, 0.72},
        {1440, 0.78},
        {1440, 0.82},
        {1440, 0.85},
        {0, 1.14},
    }}};
}

std::array<double, kDurationCount> durationDepthsMm(double oneDayMm, const DurationRatios& ratios) {
    std::array<double, kDurationCount> depths{};
    // From the longest down, so that the duration a ratio is of is known before it is used.
    for (std::size_t i = kDurationCount; i-- > 0;) {
        const DurationRatio& row = ratios.rows[i];
        double from = oneDayMm;
        for (std::size_t j = i + 1; j < kDurationCount; ++j) {
            if (kDurationsMin[j] == row.fromMin) {
                from = depths[j];
            }
        }
        depths[i] = row.ratio * from;
    }
    return depths;
}

namespace {

// One line "duration,ratio" into the table.
std::optional<util::Failure> takeRatio(const util::CsvRecord& record, DurationRatios& ratios,
                                       std::array<bool, kDurationCount>& given) {
    if (record.fields.size() != 2) {
        return refusalAtLine(record.line, "espera 2 campos (duração em minutos e razão), não " +
                                              std::to_string(record.fields.size()));
    }
    const auto duration = calc::parseCompleteNumber(util::trimmed(record.fields[0]));
    std::size_t row = 0;
    while (row < kDurationCount && (!duration || *duration != kDurationsMin[row])) {
        ++row;
    }
    if (row == kDurationCount) {
        return refusalAtLine(record.line, "a duração " + util::inQuotes(record.fields[0]) +
                                              " não é uma das 12 (5, 10, 15, 20, 25, 30, 60, "
                                              "360, 480, 600, 720 e 1440 min)");
    }
    const auto ratio = calc::parseCompleteNumber(util::trimmed(record.fields[1]));
    if (!ratio || !(*ratio > 0)) {
        return refusalAtLine(record.line, "a razão " + util::inQuotes(record.fields[1]) +
                                              " não é um número maior que 0");
    }
    if (given[row]) {
        return refusalAtLine(record.line, "a duração de " + std::to_string(kDurationsMin[row]) +
                                              " min aparece de novo");
    }
    given[row] = true;
    ratios.rows[row].ratio = *ratio;
    return std::nullopt;
}

} // namespace

util::Result<DurationRatios> readDurationRatios(std::string_view csvBytes) {
    DurationRatios ratios = cetesbRatios();
    std::array<bool, kDurationCount> given{};
    bool header = true;
    const auto refusal = takeCsvRecords(csvBytes, [&](const util::CsvRecord& record) {
        return std::exchange(header, false) ? std::nullopt : takeRatio(record, ratios, given);
    });
    if (refusal) {
        return *refusal;
    }
    return ratios;
}

} // namespace rainfit
