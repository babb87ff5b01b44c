#pragma once

#include "refdata/reference_database.h"
#include "refdata/reference_tables.h"
#include "refdata/table_source.h"

#include <memory>

namespace refdata {

// The program's queries, written once over any kind of database file. Every query reads its
// table from the file anew.
class TableDatabase final : public ReferenceDatabase {
public:
    explicit TableDatabase(std::unique_ptr<TableSource> source);

    util::Result<std::vector<calc::Station>> allStations() override;
    util::Result<std::vector<std::string>> allLandClasses() override;
    util::Result<std::vector<std::string>> landClassesOfZone(std::string_view zone) override;
    util::Result<std::optional<calc::Station>> findStationByName(std::string_view name) override;
    util::Result<std::optional<double>> findCurveNumber(std::string_view landClass) override;
    const std::filesystem::path& path() const override { return m_source->path(); }

private:
    util::Result<std::vector<std::string>> landClasses(std::optional<std::string_view> zone);

    std::unique_ptr<TableSource> m_source;
};

// Both tables whole, nulls kept: what a conversion to SQLite copies. Throws DatabaseFailure.
ReferenceTables readReferenceTables(TableSource& source);

// The tables of a database file, SQLite or Access as its first bytes say. Throws
// DatabaseFailure naming the file.
std::unique_ptr<TableSource> openTableSource(const std::filesystem::path& file);

} // namespace refdata
