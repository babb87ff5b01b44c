#pragma once

#include "refdata/reference_database.h"
#include "refdata/reference_tables.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace refdata {

// The simple serialised form in which the Access reading child hands its answers back: each
// value written field by field, lengths and counts as 32-bit numbers, doubles as their bytes
// (both ends are the same program on the same machine).
class WireWriter {
public:
    void byte(std::uint8_t value) { m_bytes += static_cast<char>(value); }
    void count(std::size_t value);
    void text(std::string_view value);
    void number(double value);
    void optionalText(const std::optional<std::string>& value);
    void optionalNumber(const std::optional<double>& value);

    void stationList(const std::vector<StationListItem>& items);
    void texts(const std::vector<std::string>& items);
    void optionalStation(const std::optional<StationRecord>& station);
    void tables(const ReferenceTables& tables);

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
    std::string text();
    double number();
    std::optional<std::string> optionalText();
    std::optional<double> optionalNumber();

    std::vector<StationListItem> stationList();
    std::vector<std::string> texts();
    std::optional<StationRecord> optionalStation();
    ReferenceTables tables();

    // Everything was read: a message with bytes left over is malformed too.
    void finish() const;

private:
    std::string_view take(std::size_t size);
    // A count of items each at least this many bytes long, checked against what is left.
    std::size_t itemCount(std::size_t smallestItem);

    std::string_view m_bytes;
};

struct WireError {};

} // namespace refdata
