#pragma once

#include "refdata/reference_database.h"
#include "refdata/reference_tables.h"

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

// One row of a query result as either back end delivers it. Columns are counted from 0.
class RowValues {
public:
    virtual ~RowValues() = default;
    virtual bool isNull(std::size_t column) const = 0;
    // A text as stored; a number written as plain decimal text.
    virtual std::string text(std::size_t column) const = 0;
    // A number; a stored text is read as a complete number or refused (none).
    virtual std::optional<double> number(std::size_t column) const = 0;
};

// Where a row came from, for messages.
struct RowPlace {
    const std::filesystem::path& file;
    std::string_view table;
    const std::vector<std::string>& columnNames;
    std::size_t row; // from 1, in stored order
};

// The first three columns of `zeb` are read by position; the constants by name, wherever
// they stand. Names compare as the database engines do: without regard to ASCII case.
struct StationColumns {
    static constexpr std::size_t codigo = 0, nome = 1, estado = 2;
    std::size_t nomeByName = nome; // the station query names its column
    std::array<std::size_t, 7> coefficients{};
};

// `cn`: the land class by position (second column), zone and curve number by name.
struct CurveNumberColumns {
    static constexpr std::size_t id = 0, terreno = 1;
    std::size_t zona = 0;
    std::size_t cn = 0;
};

// Each query checks only the columns it reads, so a table lacking a column fails exactly
// where that column is needed, with a message naming the table and the column.
void requirePositions(const std::filesystem::path& file, std::string_view table,
                      const std::vector<std::string>& names, std::size_t count);
std::size_t requireColumn(const std::filesystem::path& file, std::string_view table,
                          const std::vector<std::string>& names, std::string_view name);

// The station lookup's columns: the three by position, `nome` and the seven constants.
StationColumns stationColumns(const std::filesystem::path& file,
                              const std::vector<std::string>& names);
// All columns of `cn` that the program reads.
CurveNumberColumns curveNumberColumns(const std::filesystem::path& file,
                                      const std::vector<std::string>& names);

// What the program takes from a row; a null where a value is needed is an error for the row.
StationListItem readStationListItem(const RowValues& row, const RowPlace& place);
StationRecord readStationRecord(const RowValues& row, const StationColumns& columns,
                                const RowPlace& place);
std::string readLandClass(const RowValues& row, const RowPlace& place);
double readCurveNumber(const RowValues& row, const CurveNumberColumns& columns,
                       const RowPlace& place);

// Whole rows, nulls kept, for converting a database.
StationRow readStationRow(const RowValues& row, const StationColumns& columns,
                          const RowPlace& place);
CurveNumberRow readCurveNumberRow(const RowValues& row, const CurveNumberColumns& columns,
                                  const RowPlace& place);

} // namespace refdata
