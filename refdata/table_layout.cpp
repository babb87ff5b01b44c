#include "refdata/table_layout.h"

#include "refdata/database_message.h"
#include "refdata/station_rainfall.h"
#include "refdata/value_text.h"
#include "util/text.h"

#include <algorithm>

namespace refdata {

namespace {

// A stored text is moved out rather than copied: lists of 100,000 stations are read this way.
std::optional<std::string> optionalText(const RowValues& row, std::size_t column) {
    StoredValue value = row.value(column);
    if (std::holds_alternative<std::monostate>(value)) {
        return std::nullopt;
    }
    if (auto* text = std::get_if<std::string>(&value)) {
        return std::move(*text);
    }
    return valueText(value);
}

std::string requiredText(const RowValues& row, std::size_t column, const TableShape& table) {
    auto text = optionalText(row, column);
    if (!text) {
        throw missingValue(table.file, table.name, row.position(), table.columnNames[column]);
    }
    return std::move(*text);
}

std::optional<double> optionalNumber(const RowValues& row, std::size_t column,
                                     const TableShape& table) {
    const StoredValue value = row.value(column);
    if (std::holds_alternative<std::monostate>(value)) {
        return std::nullopt;
    }
    const auto number = valueNumber(value);
    if (!number) {
        throw notANumber(table.file, table.name, row.position(), table.columnNames[column],
                         valueText(value));
    }
    return number;
}

calc::StationCoefficients readCoefficients(const RowValues& row, const StationColumns& columns,
                                           const TableShape& table) {
    const auto& at = columns.coefficients;
    return {optionalNumber(row, at[0], table), optionalNumber(row, at[1], table),
            optionalNumber(row, at[2], table), optionalNumber(row, at[3], table),
            optionalNumber(row, at[4], table), optionalNumber(row, at[5], table),
            optionalNumber(row, at[6], table)};
}

} // namespace

void TableShape::requirePositions(std::size_t count) const {
    if (columnNames.size() < count) {
        throw databaseError(file, "a tabela " + inQuotes(name) + " tem menos de " +
                                      std::to_string(count) + " colunas");
    }
}

std::size_t TableShape::requireColumn(std::string_view column) const {
    const auto found = findColumn(column);
    if (!found) {
        throw databaseError(file,
                            "a tabela " + inQuotes(name) + " não tem a coluna " + inQuotes(column));
    }
    return *found;
}

std::optional<std::size_t> TableShape::findColumn(std::string_view column) const {
    const auto found = std::ranges::find_if(columnNames, [column](const std::string& candidate) {
        return util::sameIgnoringAsciiCase(candidate, column);
    });
    if (found == columnNames.end()) {
        return std::nullopt;
    }
    return static_cast<std::size_t>(found - columnNames.begin());
}

StationColumns stationColumns(const TableShape& table) {
    table.requirePositions(3);
    StationColumns columns;
    columns.nomeByName = table.requireColumn("nome");
    for (std::size_t i = 0; i < kCoefficientColumns.size(); ++i) {
        columns.coefficients[i] = table.requireColumn(kCoefficientColumns[i]);
    }
    for (std::size_t i = 0; i < kIdfColumns.size(); ++i) {
        columns.idf[i] = table.findColumn(kIdfColumns[i]);
    }
    columns.idfSource = table.findColumn(kIdfSourceColumn);
    return columns;
}

CurveNumberColumns curveNumberColumns(const TableShape& table) {
    table.requirePositions(2);
    table.requireColumn("terreno");
    return {table.requireColumn("zona"), table.requireColumn("cn")};
}

calc::Station readStationIdentity(const RowValues& row, const TableShape& table) {
    // The lists show code and name; the state is shown only after a lookup, so a missing
    // state does not stop the list from loading.
    return {requiredText(row, StationColumns::codigo, table),
            requiredText(row, StationColumns::nome, table),
            optionalText(row, StationColumns::estado).value_or(std::string()),
            {}};
}

calc::Station readStation(const RowValues& row, const StationColumns& columns,
                          const TableShape& table) {
    calc::Station station{requiredText(row, StationColumns::codigo, table),
                          requiredText(row, StationColumns::nome, table),
                          requiredText(row, StationColumns::estado, table),
                          {}};
    auto rainfall = rainfallOfRow(readStationRow(row, columns, table));
    if (const auto* reason = std::get_if<std::string>(&rainfall)) {
        throw databaseError(table.file, "o posto " + inQuotes(station.name) + " (código " +
                                            util::printable(station.code) + ") da tabela " +
                                            inQuotes(table.name) + " foi recusado: " + *reason);
    }
    station.rainfall = std::move(std::get<calc::StationRainfall>(rainfall));
    return station;
}

std::string readLandClass(const RowValues& row, const TableShape& table) {
    return requiredText(row, CurveNumberColumns::terreno, table);
}

double readCurveNumber(const RowValues& row, std::size_t cnColumn, const TableShape& table) {
    const auto value = optionalNumber(row, cnColumn, table);
    if (!value) {
        throw missingValue(table.file, table.name, row.position(), table.columnNames[cnColumn]);
    }
    return *value;
}

StationRow readStationRow(const RowValues& row, const StationColumns& columns,
                          const TableShape& table) {
    StationRow stored{optionalText(row, StationColumns::codigo),
                      optionalText(row, StationColumns::nome),
                      optionalText(row, StationColumns::estado),
                      readCoefficients(row, columns, table),
                      {},
                      {}};
    for (std::size_t i = 0; i < stored.idf.size(); ++i) {
        if (columns.idf[i]) {
            stored.idf[i] = optionalNumber(row, *columns.idf[i], table);
        }
    }
    if (columns.idfSource) {
        stored.idfSource = optionalText(row, *columns.idfSource);
    }
    return stored;
}

CurveNumberRow readCurveNumberRow(const RowValues& row, const CurveNumberColumns& columns,
                                  const TableShape& table) {
    return {optionalText(row, CurveNumberColumns::id),
            optionalText(row, CurveNumberColumns::terreno), optionalText(row, columns.zona),
            optionalNumber(row, columns.cn, table)};
}

} // namespace refdata
