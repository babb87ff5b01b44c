#include "refdata/access/wire_format.h"

#include "refdata/database_message.h"

#include <cstring>

namespace refdata {

namespace {

// What a cell holds; the failure's bytes are the message reading the value gave.
enum CellKind : std::uint8_t { kNull, kText, kInteger, kFloat, kDouble, kFailure };

template <typename Number> std::string_view bytesOf(const Number& number) {
    return {reinterpret_cast<const char*>(&number), sizeof number};
}

template <typename Number> Number numberOf(std::string_view bytes) {
    Number number{};
    if (bytes.size() != sizeof number) {
        throw WireError{};
    }
    std::memcpy(&number, bytes.data(), sizeof number);
    return number;
}

template <typename... Visitors> struct Overloaded : Visitors... { using Visitors::operator()...; };

} // namespace

void WireWriter::count(std::size_t value) {
    m_bytes += bytesOf(static_cast<std::uint32_t>(value));
}

void WireWriter::text(std::string_view value) {
    count(value.size());
    m_bytes += value;
}

void WireWriter::texts(const std::vector<std::string>& items) {
    count(items.size());
    for (const auto& item : items) {
        text(item);
    }
}

void WireWriter::row(const RowValues& row) {
    count(row.position());
    count(row.columnCount());
    for (std::size_t column = 0; column < row.columnCount(); ++column) {
        StoredValue value;
        try {
            value = row.value(column);
        } catch (const DatabaseFailure& failure) {
            byte(kFailure);
            text(failure.what());
            continue;
        }
        std::visit(Overloaded{[&](std::monostate) { byte(kNull); },
                              [&](const std::string& stored) {
                                  byte(kText);
                                  text(stored);
                              },
                              [&](std::int64_t number) {
                                  byte(kInteger);
                                  text(bytesOf(number));
                              },
                              [&](float number) {
                                  byte(kFloat);
                                  text(bytesOf(number));
                              },
                              [&](double number) {
                                  byte(kDouble);
                                  text(bytesOf(number));
                              }},
                   value);
    }
}

std::string_view WireReader::take(std::size_t size) {
    if (size > m_bytes.size()) {
        throw WireError{};
    }
    const std::string_view taken = m_bytes.substr(0, size);
    m_bytes.remove_prefix(size);
    return taken;
}

std::uint8_t WireReader::byte() {
    return static_cast<std::uint8_t>(take(1)[0]);
}

std::size_t WireReader::count() {
    return numberOf<std::uint32_t>(take(sizeof(std::uint32_t)));
}

std::string_view WireReader::text() {
    return take(count());
}

std::vector<std::string> WireReader::texts() {
    const std::size_t items = count();
    // Each text takes at least its length: a count beyond what is left is malformed.
    if (items > m_bytes.size() / sizeof(std::uint32_t)) {
        throw WireError{};
    }
    std::vector<std::string> result;
    result.reserve(items);
    for (std::size_t i = 0; i < items; ++i) {
        result.emplace_back(text());
    }
    return result;
}

void WireReader::finish() const {
    if (!m_bytes.empty()) {
        throw WireError{};
    }
}

void WireRow::readFrom(WireReader& in) {
    m_position = in.count();
    const std::size_t columns = in.count();
    if (columns > in.m_bytes.size()) {
        throw WireError{};
    }
    m_cells.clear();
    for (std::size_t i = 0; i < columns; ++i) {
        const std::uint8_t kind = in.byte();
        if (kind > kFailure) {
            throw WireError{};
        }
        m_cells.push_back({kind, kind == kNull ? std::string_view() : in.text()});
    }
}

StoredValue WireRow::value(std::size_t column) const {
    const Cell& cell = m_cells.at(column);
    switch (cell.kind) {
    case kText:
        return std::string(cell.bytes);
    case kInteger:
        return numberOf<std::int64_t>(cell.bytes);
    case kFloat:
        return numberOf<float>(cell.bytes);
    case kDouble:
        return numberOf<double>(cell.bytes);
    case kFailure:
        throw DatabaseFailure(std::string(cell.bytes));
    default:
        return std::monostate{};
    }
}

} // namespace refdata
