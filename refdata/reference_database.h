#pragma once

#include "calc/record.h"
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

// One row of the stations table `zeb` as the program sees it. Texts are UTF-8; a number in
// the code column is written as plain decimal text.
struct StationRecord {
    std::string code;
    std::string name;
    std::string state;
    calc::StationCoefficients coefficients; // a null in the file stays empty here
};

// One entry of the station lists: code and name (and state) of a row, in stored order.
struct StationListItem {
    std::string code;
    std::string name;
    std::string state;
};

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

    virtual util::Result<std::vector<StationListItem>> allStations() = 0;
    virtual util::Result<std::vector<std::string>> allLandClasses() = 0;
    // Land classes of the rows whose zone is exactly this text.
    virtual util::Result<std::vector<std::string>> landClassesOfZone(std::string_view zone) = 0;
    // The first row with this name, or none.
    virtual util::Result<std::optional<StationRecord>> findStationByName(std::string_view name) = 0;
    // The curve number of the first row with this land class, whatever its zone, or none.
    virtual util::Result<std::optional<double>> findCurveNumber(std::string_view landClass) = 0;

    virtual const std::filesystem::path& path() const = 0;
};

} // namespace refdata
