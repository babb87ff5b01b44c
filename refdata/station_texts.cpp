#include "refdata/station_texts.h"

#include "calc/rainfall_check.h"
#include "refdata/table_layout.h"
#include "refdata/value_text.h"
#include "util/text.h"

namespace refdata {

namespace {

util::Failure refused(std::string reason) {
    return util::Failure{util::Failure::Kind::InvalidInput, std::move(reason)};
}

} // namespace

util::Result<StationRow> stationFromTexts(const StationTexts& texts) {
    if (util::trimmed(texts.code).empty()) {
        return refused("o código do posto está vazio");
    }
    if (util::trimmed(texts.name).empty()) {
        return refused("o nome do posto está vazio");
    }
    std::array<double, kCoefficientColumns.size()> values{};
    for (std::size_t i = 0; i < values.size(); ++i) {
        const auto value = parseNumberText(texts.constants[i]);
        if (!value) {
            return refused(notANumberReason(texts.constants[i], kCoefficientColumns[i]));
        }
        values[i] = *value;
    }
    StationRow row{texts.code,
                   texts.name,
                   texts.state,
                   {values[0], values[1], values[2], values[3], values[4], values[5], values[6]}};
    if (auto refusal = calc::stationRainfallRefusal(row.coefficients)) {
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
