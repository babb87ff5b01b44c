#include "refdata/table_database.h"

#include "refdata/database_message.h"
#include "refdata/table_layout.h"

namespace refdata {

namespace {

TableShape shapeOf(TableSource& source, std::string_view table) {
    return {source.path(), table, source.columnNames(table)};
}

} // namespace

TableDatabase::TableDatabase(std::unique_ptr<TableSource> source) : m_source(std::move(source)) {}

util::Result<std::vector<calc::Station>> TableDatabase::allStations() {
    return answerOf([&] {
        const TableShape table = shapeOf(*m_source, kStationTable);
        table.requirePositions(3);
        std::vector<calc::Station> stations;
        m_source->readRows(table.name, std::nullopt, kEveryRow, [&](const RowValues& row) {
            stations.push_back(readStationIdentity(row, table));
        });
        return stations;
    });
}

util::Result<std::vector<std::string>> TableDatabase::allLandClasses() {
    return landClasses(std::nullopt);
}

util::Result<std::vector<std::string>> TableDatabase::landClassesOfZone(std::string_view zone) {
    return landClasses(zone);
}

util::Result<std::vector<std::string>>
TableDatabase::landClasses(std::optional<std::string_view> zone) {
    return answerOf([&] {
        const TableShape table = shapeOf(*m_source, kCurveNumberTable);
        table.requirePositions(2);
        const auto zona = zone ? std::optional(table.requireColumn("zona")) : std::nullopt;
        // Each row's zone is read here rather than matched by the file's engine: a zone that
        // cannot be read fails the list instead of leaving its row out.
        std::vector<std::string> classes;
        m_source->readRows(table.name, std::nullopt, kEveryRow, [&](const RowValues& row) {
            const StoredValue rowZone = zona ? row.value(*zona) : StoredValue{};
            const auto* text = std::get_if<std::string>(&rowZone);
            if (!zona || (text && *text == *zone)) {
                classes.push_back(readLandClass(row, table));
            }
        });
        return classes;
    });
}

util::Result<std::optional<calc::Station>> TableDatabase::findStationByName(std::string_view name) {
    return answerOf([&] {
        const TableShape table = shapeOf(*m_source, kStationTable);
        const StationColumns columns = stationColumns(table);
        std::optional<calc::Station> found;
        m_source->readRows(table.name, table.match(columns.nomeByName, name), 1,
                           [&](const RowValues& row) { found = readStation(row, columns, table); });
        return found;
    });
}

util::Result<std::optional<double>> TableDatabase::findCurveNumber(std::string_view landClass) {
    return answerOf([&] {
        const TableShape table = shapeOf(*m_source, kCurveNumberTable);
        table.requirePositions(2);
        const std::size_t terreno = table.requireColumn("terreno");
        const std::size_t cn = table.requireColumn("cn");
        std::optional<double> found;
        m_source->readRows(table.name, table.match(terreno, landClass), 1,
                           [&](const RowValues& row) { found = readCurveNumber(row, cn, table); });
        return found;
    });
}

ReferenceTables readReferenceTables(TableSource& source) {
    ReferenceTables tables;
    const TableShape stations = shapeOf(source, kStationTable);
    const StationColumns stationColumnsRead = stationColumns(stations);
    source.readRows(stations.name, std::nullopt, kEveryRow, [&](const RowValues& row) {
        tables.stations.push_back(readStationRow(row, stationColumnsRead, stations));
    });
    const TableShape curveNumbers = shapeOf(source, kCurveNumberTable);
    const CurveNumberColumns cnColumns = curveNumberColumns(curveNumbers);
    source.readRows(curveNumbers.name, std::nullopt, kEveryRow, [&](const RowValues& row) {
        tables.curveNumbers.push_back(readCurveNumberRow(row, cnColumns, curveNumbers));
    });
    return tables;
}

} // namespace refdata
