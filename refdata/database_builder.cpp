#include "refdata/database_builder.h"

#include "refdata/access/isolated_access_source.h"
#include "refdata/csv/csv_import.h"
#include "refdata/database_message.h"
#include "refdata/sqlite/sqlite_writer.h"
#include "refdata/station_texts.h"
#include "refdata/table_database.h"

namespace refdata {

std::optional<util::Failure> buildDatabaseFromCsv(const std::filesystem::path& out,
                                                  const std::filesystem::path& stationsCsv,
                                                  const std::filesystem::path& curveNumbersCsv,
                                                  std::vector<std::string>* warnings) {
    return failureOf([&] {
        ReferenceTables tables;
        tables.stations = readStationsCsv(stationsCsv);
        tables.curveNumbers = readCurveNumbersCsv(curveNumbersCsv);
        writeSqliteDatabase(out, tables);
        if (warnings) {
            *warnings = stationWarnings(tables.stations);
        }
    });
}

std::optional<util::Failure> convertAccessToSqlite(const std::filesystem::path& out,
                                                   const std::filesystem::path& mdbPath) {
    return failureOf([&] {
        IsolatedAccessSource source(mdbPath);
        writeSqliteDatabase(out, readReferenceTables(source));
    });
}

} // namespace refdata
