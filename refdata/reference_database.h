#pragma once

#include "calc/record.h"
#include "calc/station.h"
#include "util/failure.h"

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace refdata {

// Every public function of this layer returns its failures as values (util::Result), of kind
// Database, with a Portuguese message for the user that names the file and the problem.

// "Banco de dados <file>: <problem>.": how every message about a database file reads.
std::string databaseMessage(const std::filesystem::path& file, std::string_view problem);

// One row of the curve-number table `cn`.
struct CurveNumberRecord {
    std::string landClass;
    std::string zone;
    double curveNumber = 0;
};

// The operations the program makes of the reference database. Every answer keeps the
// stored row order; nothing is sorted.
class ReferenceDatabase {
public:
    virtual ~ReferenceDatabase() = default;

    // Who each station is (code, name and state), in stored order; its rainfall is read by a
    // lookup.
    virtual util::Result<std::vector<calc::Station>> allStations() = 0;
    virtual util::Result<std::vector<std::string>> allLandClasses() = 0;
    // Land classes of the rows whose zone is exactly this text.
    virtual util::Result<std::vector<std::string>> landClassesOfZone(std::string_view zone) = 0;
    // The first row with this name, or none.
    virtual util::Result<std::optional<calc::Station>> findStationByName(std::string_view name) = 0;
    // The curve number of the first row with this land class, whatever its zone, or none.
    virtual util::Result<std::optional<double>> findCurveNumber(std::string_view landClass) = 0;

    virtual const std::filesystem::path& path() const = 0;
};

} // namespace refdata
