#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace refdata {

// A value as the file stores it: a null, a text, or a number of one of the stored kinds. A
// single-precision value stays one, so that it is shown with the digits it holds.
using StoredValue = std::variant<std::monostate, std::string, std::int64_t, float, double>;

// One row of a table as a back end delivers it. Columns are counted from 0.
class RowValues {
public:
    virtual ~RowValues() = default;
    virtual std::size_t columnCount() const = 0;
    // Throws DatabaseFailure when the value cannot be read (a damaged row, a type the program
    // does not read).
    virtual StoredValue value(std::size_t column) const = 0;
    // The row as the user finds it in the table: counted from 1 in stored order.
    virtual std::size_t position() const = 0;
};

// Rows whose column (given by position and by name) holds exactly this text.
struct TextMatch {
    std::size_t column = 0;
    std::string_view columnName;
    std::string_view text;
};

inline constexpr std::size_t kEveryRow = SIZE_MAX;

// The one thing each kind of database file must do: read a table's rows in stored order. The
// program's queries are written once over it (TableDatabase). Failures throw DatabaseFailure.
class TableSource {
public:
    using RowVisitor = std::function<void(const RowValues& row)>;

    virtual ~TableSource() = default;
    virtual const std::filesystem::path& path() const = 0;
    // The table's column names in their order; the table's name compares without regard to
    // ASCII case. A file without the table is a failure.
    virtual std::vector<std::string> columnNames(std::string_view table) = 0;
    // Hands each row to `visit` in stored order: every row, or only those that match, and at
    // most `limit` of them.
    virtual void readRows(std::string_view table, const std::optional<TextMatch>& match,
                          std::size_t limit, const RowVisitor& visit) = 0;
};

} // namespace refdata
