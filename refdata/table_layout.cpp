#include "refdata/table_layout.h"

#include "refdata/database_message.h"

#include <algorithm>

namespace refdata {

namespace {

char lowerAscii(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool sameColumnName(std::string_view a, std::string_view b) {
    return std::ranges::equal(a, b, [](char x, char y) { return lowerAscii(x) == lowerAscii(y); });
}

std::string requiredText(const RowValues& row, std::size_t column, const RowPlace& place) {
    if (row.isNull(column)) {
        throw missingValue(place.file, place.table, place.row, place.columnNames[column]);
    }
    return row.text(column);
}

std::optional<std::string> optionalText(const RowValues& row, std::size_t column) {
    if (row.isNull(column)) {
        return std::nullopt;
    }
    return row.text(column);
}

std::optional<double> optionalNumber(const RowValues& row, std::size_t column,
                                     const RowPlace& place) {
    if (row.isNull(column)) {
        return std::nullopt;
    }
    const auto value = row.number(column);
    if (!value) {
        throw notANumber(place.file, place.table, place.row, place.columnNames[column],
                         row.text(column));
    }
    return value;
}

calc::StationCoefficients readCoefficients(const RowValues& row, const StationColumns& columns,
                                           const RowPlace& place) {
    const auto& at = columns.coefficients;
    return {optionalNumber(row, at[0], place), optionalNumber(row, at[1], place),
            optionalNumber(row, at[2], place), optionalNumber(row, at[3], place),
            optionalNumber(row, at[4], place), optionalNumber(row, at[5], place),
            optionalNumber(row, at[6], place)};
}

} // namespace

void requirePositions(const std::filesystem::path& file, std::string_view table,
                      const std::vector<std::string>& names, std::size_t count) {
    if (names.size() < count) {
        throw databaseError(file, "a tabela " + inQuotes(table) + " tem menos de " +
                                      std::to_string(count) + " colunas");
    }
}

std::size_t requireColumn(const std::filesystem::path& file, std::string_view table,
                          const std::vector<std::string>& names, std::string_view name) {
    const auto found = std::ranges::find_if(
        names, [name](const std::string& candidate) { return sameColumnName(candidate, name); });
    if (found == names.end()) {
        throw databaseError(file,
                            "a tabela " + inQuotes(table) + " não tem a coluna " + inQuotes(name));
    }
    return static_cast<std::size_t>(found - names.begin());
}

StationColumns stationColumns(const std::filesystem::path& file,
                              const std::vector<std::string>& names) {
    requirePositions(file, kStationTable, names, 3);
    StationColumns columns;
    columns.nomeByName = requireColumn(file, kStationTable, names, "nome");
    for (std::size_t i = 0; i < kCoefficientColumns.size(); ++i) {
        columns.coefficients[i] = requireColumn(file, kStationTable, names, kCoefficientColumns[i]);
    }
    return columns;
}

CurveNumberColumns curveNumberColumns(const std::filesystem::path& file,
                                      const std::vector<std::string>& names) {
    requirePositions(file, kCurveNumberTable, names, 2);
    requireColumn(file, kCurveNumberTable, names, "terreno");
    return {requireColumn(file, kCurveNumberTable, names, "zona"),
            requireColumn(file, kCurveNumberTable, names, "cn")};
}

StationListItem readStationListItem(const RowValues& row, const RowPlace& place) {
    // The lists show code and name; the state is shown only after a lookup, so a missing
    // state does not stop the list from loading.
    return {requiredText(row, StationColumns::codigo, place),
            requiredText(row, StationColumns::nome, place),
            optionalText(row, StationColumns::estado).value_or(std::string())};
}

StationRecord readStationRecord(const RowValues& row, const StationColumns& columns,
                                const RowPlace& place) {
    return {requiredText(row, StationColumns::codigo, place),
            requiredText(row, StationColumns::nome, place),
            requiredText(row, StationColumns::estado, place),
            readCoefficients(row, columns, place)};
}

std::string readLandClass(const RowValues& row, const RowPlace& place) {
    return requiredText(row, CurveNumberColumns::terreno, place);
}

double readCurveNumber(const RowValues& row, const CurveNumberColumns& columns,
                       const RowPlace& place) {
    const auto value = optionalNumber(row, columns.cn, place);
    if (!value) {
        throw missingValue(place.file, place.table, place.row, place.columnNames[columns.cn]);
    }
    return *value;
}

StationRow readStationRow(const RowValues& row, const StationColumns& columns,
                          const RowPlace& place) {
    return {optionalText(row, StationColumns::codigo), optionalText(row, StationColumns::nome),
            optionalText(row, StationColumns::estado), readCoefficients(row, columns, place)};
}

CurveNumberRow readCurveNumberRow(const RowValues& row, const CurveNumberColumns& columns,
                                  const RowPlace& place) {
    return {optionalText(row, CurveNumberColumns::id),
            optionalText(row, CurveNumberColumns::terreno), optionalText(row, columns.zona),
            optionalNumber(row, columns.cn, place)};
}

} // namespace refdata
