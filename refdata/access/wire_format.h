#pragma once

#include "refdata/table_source.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace refdata {

// The simple serialised form in which the Access reading child takes requests and hands rows
// back (rows one after the other, up to the end): each value written field by field, lengths and
// counts as 32-bit numbers, numbers as their bytes (both ends are the same program on the same
// machine).
class WireWriter {
public:
    void byte(std::uint8_t value) { m_bytes += static_cast<char>(value); }
    void count(std::size_t value);
    void text(std::string_view value);
    void texts(const std::vector<std::string>& items);
    // A row: its position, then each value, or the failure that reading it gave, which the
    // other end throws when (and only when) the value is read.
    void row(const RowValues& row);

    const std::string& bytes() const { return m_bytes; }

private:
    std::string m_bytes;
};

// Reads what WireWriter wrote. A message cut short or malformed throws WireError.
class WireReader {
public:
    explicit WireReader(std::string_view bytes) : m_bytes(bytes) {}

    std::uint8_t byte();
    std::size_t count();
    std::string_view text();
    std::vector<std::string> texts();

    bool atEnd() const { return m_bytes.empty(); }
    // Everything was read: a message with bytes left over is malformed too.
    void finish() const;

private:
    friend class WireRow;
    std::string_view take(std::size_t size);

    std::string_view m_bytes;
};

// One row as WireWriter::row wrote it, pointing into the reader's bytes.
class WireRow final : public RowValues {
public:
    // The next row of `in`; the same object serves row after row.
    void readFrom(WireReader& in);

    std::size_t columnCount() const override { return m_cells.size(); }
    StoredValue value(std::size_t column) const override;
    std::size_t position() const override { return m_position; }

private:
    struct Cell {
        std::uint8_t kind;
        std::string_view bytes;
    };

    std::size_t m_position = 0;
    std::vector<Cell> m_cells;
};

struct WireError {};

} // namespace refdata
