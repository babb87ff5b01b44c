#pragma once

#include "refdata/child_process_reader.h"
#include "refdata/reference_database.h"
#include "refdata/reference_tables.h"

#include <chrono>
#include <cstddef>
#include <filesystem>

namespace refdata {

// The reference database in a legacy Access file, read by AccessReferenceDatabase in a child
// process (see ChildProcessReader): the Access library is not hardened against damaged files,
// and a crash, hang or runaway allocation inside it must not take the program with it. Answers
// and failures are those of AccessReferenceDatabase; any of those is reported as a corrupt
// file.
class IsolatedAccessDatabase final : public ReferenceDatabase {
public:
    // Generous for the largest files users keep (an Access file holds at most 2 GiB; reading
    // 100,000 stations takes a tenth of a second and some tens of MiB), yet a hang is noticed
    // and a runaway allocation stopped long before it takes the machine's memory.
    static constexpr std::chrono::milliseconds kDefaultTimeout{30000};
    static constexpr std::size_t kDefaultMemoryLimit = std::size_t{2} << 30;

    explicit IsolatedAccessDatabase(std::filesystem::path file,
                                    std::chrono::milliseconds timeout = kDefaultTimeout,
                                    std::size_t memoryLimit = kDefaultMemoryLimit);

    std::vector<StationListItem> allStations() override;
    std::vector<std::string> allLandClasses() override;
    std::vector<std::string> landClassesOfZone(std::string_view zone) override;
    std::optional<StationRecord> findStationByName(std::string_view name) override;
    std::optional<double> findCurveNumber(std::string_view landClass) override;
    const std::filesystem::path& path() const override { return m_path; }

    // Both tables whole, nulls kept: what a conversion to SQLite copies.
    ReferenceTables readAllTables();

private:
    std::string call(char operation, std::string_view argument = {});

    std::filesystem::path m_path;
    ChildProcessReader m_reader;
};

} // namespace refdata
