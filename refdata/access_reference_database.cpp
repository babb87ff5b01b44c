#include "refdata/access_reference_database.h"

namespace refdata {

namespace {

RowPlace placeOf(const AccessFile& file, const AccessTable& table) {
    return {file.path(), table.name(), table.columnNames(), table.rowNumber()};
}

} // namespace

AccessReferenceDatabase::AccessReferenceDatabase(std::filesystem::path file)
    : m_file(std::move(file)) {}

std::vector<StationListItem> AccessReferenceDatabase::allStations() {
    auto table = m_file.openTable(kStationTable);
    requirePositions(path(), kStationTable, table->columnNames(), 3);
    std::vector<StationListItem> stations;
    while (table->next()) {
        stations.push_back(readStationListItem(*table, placeOf(m_file, *table)));
    }
    return stations;
}

std::vector<std::string> AccessReferenceDatabase::allLandClasses() {
    auto table = m_file.openTable(kCurveNumberTable);
    requirePositions(path(), kCurveNumberTable, table->columnNames(), 2);
    std::vector<std::string> classes;
    while (table->next()) {
        classes.push_back(readLandClass(*table, placeOf(m_file, *table)));
    }
    return classes;
}

std::vector<std::string> AccessReferenceDatabase::landClassesOfZone(std::string_view zone) {
    auto table = m_file.openTable(kCurveNumberTable);
    requirePositions(path(), kCurveNumberTable, table->columnNames(), 2);
    const auto zona = requireColumn(path(), kCurveNumberTable, table->columnNames(), "zona");
    std::vector<std::string> classes;
    while (table->nextWhereTextIs(zona, zone)) {
        classes.push_back(readLandClass(*table, placeOf(m_file, *table)));
    }
    return classes;
}

std::optional<StationRecord> AccessReferenceDatabase::findStationByName(std::string_view name) {
    auto table = m_file.openTable(kStationTable);
    const auto columns = stationColumns(path(), table->columnNames());
    if (table->nextWhereTextIs(columns.nomeByName, name)) {
        return readStationRecord(*table, columns, placeOf(m_file, *table));
    }
    return std::nullopt;
}

std::optional<double> AccessReferenceDatabase::findCurveNumber(std::string_view landClass) {
    auto table = m_file.openTable(kCurveNumberTable);
    const auto& names = table->columnNames();
    requirePositions(path(), kCurveNumberTable, names, 2);
    const auto terreno = requireColumn(path(), kCurveNumberTable, names, "terreno");
    CurveNumberColumns columns;
    columns.cn = requireColumn(path(), kCurveNumberTable, names, "cn");
    if (table->nextWhereTextIs(terreno, landClass)) {
        return readCurveNumber(*table, columns, placeOf(m_file, *table));
    }
    return std::nullopt;
}

ReferenceTables AccessReferenceDatabase::readAllTables() {
    ReferenceTables tables;
    {
        auto table = m_file.openTable(kStationTable);
        const auto columns = stationColumns(path(), table->columnNames());
        while (table->next()) {
            tables.stations.push_back(readStationRow(*table, columns, placeOf(m_file, *table)));
        }
    }
    auto table = m_file.openTable(kCurveNumberTable);
    const auto columns = curveNumberColumns(path(), table->columnNames());
    while (table->next()) {
        tables.curveNumbers.push_back(readCurveNumberRow(*table, columns, placeOf(m_file, *table)));
    }
    return tables;
}

} // namespace refdata
