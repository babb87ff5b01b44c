#include "refdata/station_rainfall.h"

#include "refdata/database_message.h"

#include "util/text.h"

#include <algorithm>

namespace refdata {

std::optional<std::string> mixedRainfallRefusal(const GivenRainfall& given) {
    if (!given.idfKind()) {
        return std::nullopt;
    }
    if (given.anyConstant) {
        return std::string("o posto tem as constantes de Pfafstetter e uma equação IDF; um posto "
                           "tem uma ou outra");
    }
    for (std::size_t i = 0; i < kIdfColumns.size(); ++i) {
        if (!given.idf[i]) {
            return "a equação IDF está incompleta: falta o valor de " + inQuotes(kIdfColumns[i]);
        }
    }
    return std::nullopt;
}

GivenRainfall givenIn(const StationRow& row) {
    const auto& k = row.coefficients;
    const std::array<std::optional<double>, 7> constants{k.a, k.b, k.c, k.B5, k.B15, k.B30, k.Bm};
    const auto given = [](const std::optional<double>& value) { return value.has_value(); };
    GivenRainfall found;
    found.anyConstant = std::ranges::any_of(constants, given);
    std::ranges::transform(row.idf, found.idf.begin(), given);
    // An empty source says nothing: it is the column's value in a row of constants.
    found.source = row.idfSource && !util::trimmed(*row.idfSource).empty();
    return found;
}

std::variant<calc::StationRainfall, std::string> rainfallOfRow(const StationRow& row) {
    const GivenRainfall given = givenIn(row);
    if (auto refusal = mixedRainfallRefusal(given)) {
        return *refusal;
    }
    if (!given.idfKind()) {
        return row.coefficients;
    }
    return calc::StationIdfEquation{{*row.idf[0], *row.idf[1], *row.idf[2], *row.idf[3]},
                                    row.idfSource.value_or("")};
}

} // namespace refdata
