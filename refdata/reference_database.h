#pragma once

#include "calc/station.h"

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
    virtual Result<std::vector<calc::Station>> allStations() = 0;
    virtual Result<std::vector<std::string>> allLandClasses() = 0;
    // Land classes of the rows whose zone is exactly this text.
    virtual Result<std::vector<std::string>> landClassesOfZone(std::string_view zone) = 0;
    // The first row with this name, or none.
    virtual Result<std::optional<calc::Station>> findStationByName(std::string_view name) = 0;
    // The curve number of the first row with this land class, whatever its zone, or none.
    virtual Result<std::optional<double>> findCurveNumber(std::string_view landClass) = 0;

    virtual const std::filesystem::path& path() const = 0;
};

} // namespace refdata
