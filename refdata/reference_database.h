#pragma once

#include "calc/record.h"

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace refdata {

// A failure of the reference database, with a Portuguese message for the user that names the
// file and the problem. Every public function of this layer returns it as a value.
struct DatabaseError {
    std::string message;
    bool operator==(const DatabaseError&) const = default;
};

template <typename T> using Result = std::variant<T, DatabaseError>;

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

    virtual Result<std::vector<StationListItem>> allStations() = 0;
    virtual Result<std::vector<std::string>> allLandClasses() = 0;
    // Land classes of the rows whose zone is exactly this text.
    virtual Result<std::vector<std::string>> landClassesOfZone(std::string_view zone) = 0;
    // The first row with this name, or none.
    virtual Result<std::optional<StationRecord>> findStationByName(std::string_view name) = 0;
    // The curve number of the first row with this land class, whatever its zone, or none.
    virtual Result<std::optional<double>> findCurveNumber(std::string_view landClass) = 0;

    virtual const std::filesystem::path& path() const = 0;
};

} // namespace refdata
