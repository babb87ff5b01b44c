#include "refdata/database_builder.h"

#include "refdata/csv_import.h"
#include "refdata/isolated_access_database.h"
#include "refdata/sqlite_writer.h"

namespace refdata {

void buildDatabaseFromCsv(const std::filesystem::path& out,
                          const std::filesystem::path& stationsCsv,
                          const std::filesystem::path& curveNumbersCsv) {
    ReferenceTables tables;
    tables.stations = readStationsCsv(stationsCsv);
    tables.curveNumbers = readCurveNumbersCsv(curveNumbersCsv);
    writeSqliteDatabase(out, tables);
}

void convertAccessToSqlite(const std::filesystem::path& out, const std::filesystem::path& mdbPath) {
    IsolatedAccessDatabase source(mdbPath);
    writeSqliteDatabase(out, source.readAllTables());
}

} // namespace refdata
