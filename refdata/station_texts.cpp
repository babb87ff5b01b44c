#include "refdata/station_texts.h"

#include "calc/rainfall_check.h"
#include "refdata/station_rainfall.h"
#include "refdata/table_layout.h"
#include "refdata/value_text.h"
#include "util/text.h"

#include <algorithm>

namespace refdata {

namespace {

util::Failure refused(std::string reason) {
    return util::Failure{util::Failure::Kind::InvalidInput, std::move(reason)};
}

// The typed numbers, each read or its field named in the refusal.
template <std::size_t N, typename Names>
std::optional<std::string> readNumbers(const std::array<std::string, N>& texts, const Names& names,
                                       std::array<double, N>& values) {
    for (std::size_t i = 0; i < N; ++i) {
        const auto value = parseNumberText(texts[i]);
        if (!value) {
            return notANumberReason(texts[i], names[i]);
        }
        values[i] = *value;
    }
    return std::nullopt;
}

// The seven constants into the row, or why they are refused.
std::optional<std::string> constantsFromTexts(const StationTexts& texts, StationRow& row) {
    std::array<double, kCoefficientColumns.size()> values{};
    if (auto refusal = readNumbers(texts.constants, kCoefficientColumns, values)) {
        return refusal;
    }
    row.coefficients = {values[0], values[1], values[2], values[3],
                        values[4], values[5], values[6]};
    return calc::stationRainfallRefusal(row.coefficients);
}

// The IDF equation and its source into the row, or why they are refused.
std::optional<std::string> idfFromTexts(const StationTexts& texts, StationRow& row) {
    std::array<double, kIdfColumns.size()> values{};
    if (auto refusal = readNumbers(texts.idf, kIdfColumns, values)) {
        return refusal;
    }
    std::copy(values.begin(), values.end(), row.idf.begin());
    if (!util::trimmed(texts.idfSource).empty()) {
        row.idfSource = texts.idfSource;
    }
    return calc::idfRainfallRefusal({values[0], values[1], values[2], values[3]});
}

} // namespace

util::Result<StationRow> stationFromTexts(const StationTexts& texts) {
    if (util::trimmed(texts.code).empty()) {
        return refused("o código do posto está vazio");
    }
    if (util::trimmed(texts.name).empty()) {
        return refused("o nome do posto está vazio");
    }
    const auto filled = [](const std::string& text) { return !util::trimmed(text).empty(); };
    GivenRainfall given;
    given.anyConstant = std::ranges::any_of(texts.constants, filled);
    std::ranges::transform(texts.idf, given.idf.begin(), filled);
    given.source = filled(texts.idfSource);
    if (auto refusal = mixedRainfallRefusal(given)) {
        return refused(std::move(*refusal));
    }
    StationRow row{texts.code, texts.name, texts.state, {}, {}, {}};
    if (auto refusal =
            given.idfKind() ? idfFromTexts(texts, row) : constantsFromTexts(texts, row)) {
        return refused(std::move(*refusal));
    }
    return row;
}

std::optional<std::string> stationWarning(const StationRow& row) {
    auto warning = calc::stationRainfallWarning(row.coefficients);
    if (!warning) {
        return std::nullopt;
    }
    return "posto " + util::inQuotes(row.name.value_or("")) + " (código " +
           util::printable(row.code.value_or("")) + "): " + *warning;
}

std::vector<std::string> stationWarnings(const std::vector<StationRow>& rows) {
    std::vector<std::string> warnings;
    for (const StationRow& row : rows) {
        if (auto warning = stationWarning(row)) {
            warnings.push_back(*warning);
        }
    }
    return warnings;
}

} // namespace refdata
