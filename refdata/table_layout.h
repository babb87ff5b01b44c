#pragma once

#include "refdata/reference_database.h"
#include "refdata/reference_tables.h"
#include "refdata/table_source.h"

#include <array>
#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace refdata {

inline constexpr std::string_view kStationTable = "zeb";
inline constexpr std::string_view kCurveNumberTable = "cn";

// The seven constants, by the names their columns have in `zeb`.
inline constexpr std::array<std::string_view, 7> kCoefficientColumns = {"a",   "b",   "c", "B5",
                                                                        "B15", "B30", "Bm"};

// A table being read, for finding its columns and naming it in messages.
struct TableShape {
    const std::filesystem::path& file;
    std::string_view name;
    std::vector<std::string> columnNames;

    // Each query checks only the columns it reads, so a table lacking a column fails exactly
    // where that column is needed, with a message naming the table and the column.
    void requirePositions(std::size_t count) const;
    // Names compare as the database engines do: without regard to ASCII case.
    std::size_t requireColumn(std::string_view column) const;
    std::optional<std::size_t> findColumn(std::string_view column) const;
    TextMatch match(std::size_t column, std::string_view text) const {
        return {column, columnNames[column], text};
    }
};

// The first three columns of `zeb` are read by position; the constants by name, wherever
// they stand.
struct StationColumns {
    static constexpr std::size_t codigo = 0, nome = 1, estado = 2;
    std::size_t nomeByName = nome; // the station query names its column
    std::array<std::size_t, 7> coefficients{};
    // The IDF equation's and its source's, where the table has them (one made before they were
    // kept has none): a column missing reads as empty.
    std::array<std::optional<std::size_t>, 4> idf{};
    std::optional<std::size_t> idfSource;
};

// `cn`: the land class by position (second column), zone and curve number by name.
struct CurveNumberColumns {
    static constexpr std::size_t id = 0, terreno = 1;
    std::size_t zona = 0;
    std::size_t cn = 0;
};

// The station lookup's columns: the three by position, `nome`, the seven constants and, where the
// table has them, the IDF equation's.
StationColumns stationColumns(const TableShape& table);
// All columns of `cn` that the program reads.
CurveNumberColumns curveNumberColumns(const TableShape& table);

// What the program takes from a row; a null where a value is needed, or a row that holds both
// kinds of rainfall relation or an incomplete IDF equation, is an error naming the row.
calc::Station readStationIdentity(const RowValues& row, const TableShape& table);
calc::Station readStation(const RowValues& row, const StationColumns& columns,
                          const TableShape& table);
std::string readLandClass(const RowValues& row, const TableShape& table);
double readCurveNumber(const RowValues& row, std::size_t cnColumn, const TableShape& table);

// Whole rows, nulls kept, for converting a database.
StationRow readStationRow(const RowValues& row, const StationColumns& columns,
                          const TableShape& table);
CurveNumberRow readCurveNumberRow(const RowValues& row, const CurveNumberColumns& columns,
                                  const TableShape& table);

} // namespace refdata
