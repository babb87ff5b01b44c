#pragma once

#include "refdata/access_file.h"
#include "refdata/reference_database.h"
#include "refdata/reference_tables.h"

#include <filesystem>

namespace refdata {

// The reference database in a legacy Access file (.mdb or .accdb). The file stays open;
// every query reads its table from the file again and matches rows here, in stored order.
class AccessReferenceDatabase final : public ReferenceDatabase {
public:
    explicit AccessReferenceDatabase(std::filesystem::path file);

    std::vector<StationListItem> allStations() override;
    std::vector<std::string> allLandClasses() override;
    std::vector<std::string> landClassesOfZone(std::string_view zone) override;
    std::optional<StationRecord> findStationByName(std::string_view name) override;
    std::optional<double> findCurveNumber(std::string_view landClass) override;
    const std::filesystem::path& path() const override { return m_file.path(); }

    // Both tables whole, nulls kept: what a conversion to SQLite copies.
    ReferenceTables readAllTables();

private:
    AccessFile m_file;
};

} // namespace refdata
