#include "refdata/wire_format.h"

#include <cstring>

namespace refdata {

namespace {

void writeCoefficients(WireWriter& out, const calc::StationCoefficients& k) {
    for (const auto* value : {&k.a, &k.b, &k.c, &k.B5, &k.B15, &k.B30, &k.Bm}) {
        out.optionalNumber(*value);
    }
}

calc::StationCoefficients readCoefficients(WireReader& in) {
    calc::StationCoefficients k;
    for (auto* value : {&k.a, &k.b, &k.c, &k.B5, &k.B15, &k.B30, &k.Bm}) {
        *value = in.optionalNumber();
    }
    return k;
}

} // namespace

void WireWriter::count(std::size_t value) {
    const auto narrow = static_cast<std::uint32_t>(value);
    m_bytes.append(reinterpret_cast<const char*>(&narrow), sizeof narrow);
}

void WireWriter::text(std::string_view value) {
    count(value.size());
    m_bytes += value;
}

void WireWriter::number(double value) {
    m_bytes.append(reinterpret_cast<const char*>(&value), sizeof value);
}

void WireWriter::optionalText(const std::optional<std::string>& value) {
    byte(value ? 1 : 0);
    if (value) {
        text(*value);
    }
}

void WireWriter::optionalNumber(const std::optional<double>& value) {
    byte(value ? 1 : 0);
    if (value) {
        number(*value);
    }
}

void WireWriter::stationList(const std::vector<StationListItem>& items) {
    count(items.size());
    for (const auto& item : items) {
        text(item.codigo);
        text(item.nome);
        text(item.estado);
    }
}

void WireWriter::texts(const std::vector<std::string>& items) {
    count(items.size());
    for (const auto& item : items) {
        text(item);
    }
}

void WireWriter::optionalStation(const std::optional<StationRecord>& station) {
    byte(station ? 1 : 0);
    if (station) {
        text(station->codigo);
        text(station->nome);
        text(station->estado);
        writeCoefficients(*this, station->coefficients);
    }
}

void WireWriter::tables(const ReferenceTables& tables) {
    count(tables.stations.size());
    for (const auto& row : tables.stations) {
        optionalText(row.codigo);
        optionalText(row.nome);
        optionalText(row.estado);
        writeCoefficients(*this, row.coefficients);
    }
    count(tables.curveNumbers.size());
    for (const auto& row : tables.curveNumbers) {
        optionalText(row.id);
        optionalText(row.terreno);
        optionalText(row.zona);
        optionalNumber(row.cn);
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
    std::uint32_t value = 0;
    std::memcpy(&value, take(sizeof value).data(), sizeof value);
    return value;
}

std::size_t WireReader::itemCount(std::size_t smallestItem) {
    const std::size_t items = count();
    if (items > m_bytes.size() / smallestItem) {
        throw WireError{};
    }
    return items;
}

std::string WireReader::text() {
    return std::string(take(count()));
}

double WireReader::number() {
    double value = 0;
    std::memcpy(&value, take(sizeof value).data(), sizeof value);
    return value;
}

std::optional<std::string> WireReader::optionalText() {
    if (byte() == 0) {
        return std::nullopt;
    }
    return text();
}

std::optional<double> WireReader::optionalNumber() {
    if (byte() == 0) {
        return std::nullopt;
    }
    return number();
}

std::vector<StationListItem> WireReader::stationList() {
    std::vector<StationListItem> items(itemCount(12));
    for (auto& item : items) {
        item.codigo = text();
        item.nome = text();
        item.estado = text();
    }
    return items;
}

std::vector<std::string> WireReader::texts() {
    std::vector<std::string> items(itemCount(4));
    for (auto& item : items) {
        item = text();
    }
    return items;
}

std::optional<StationRecord> WireReader::optionalStation() {
    if (byte() == 0) {
        return std::nullopt;
    }
    StationRecord station;
    station.codigo = text();
    station.nome = text();
    station.estado = text();
    station.coefficients = readCoefficients(*this);
    return station;
}

ReferenceTables WireReader::tables() {
    ReferenceTables tables;
    tables.stations.resize(itemCount(10));
    for (auto& row : tables.stations) {
        row.codigo = optionalText();
        row.nome = optionalText();
        row.estado = optionalText();
        row.coefficients = readCoefficients(*this);
    }
    tables.curveNumbers.resize(itemCount(4));
    for (auto& row : tables.curveNumbers) {
        row.id = optionalText();
        row.terreno = optionalText();
        row.zona = optionalText();
        row.cn = optionalNumber();
    }
    return tables;
}

void WireReader::finish() const {
    if (!m_bytes.empty()) {
        throw WireError{};
    }
}

} // namespace refdata
