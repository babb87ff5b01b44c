#pragma once

#include "calc/record.h"

#include <filesystem>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace refdata {

// A failure of the reference database, with a Portuguese message for the user that names
// the file and the problem.
class DatabaseError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// One row of the stations table `zeb` as the program sees it. Texts are UTF-8; a number in
// the code column is written as plain decimal text.
struct StationRecord {
    std::string codigo;
    std::string nome;
    std::string estado;
    calc::StationCoefficients coefficients; // a null in the file stays empty here
};

// One entry of the station lists: code and name (and state) of a row, in stored order.
struct StationListItem {
    std::string codigo;
    std::string nome;
    std::string estado;
};

// One row of the curve-number table `cn`.
struct CurveNumberRecord {
    std::string terreno;
    std::string zona;
    double cn = 0;
};

// The operations the program makes of the reference database. Every answer keeps the
// stored row order; nothing is sorted. Failures throw DatabaseError.
class ReferenceDatabase {
public:
    virtual ~ReferenceDatabase() = default;

    virtual std::vector<StationListItem> allStations() = 0;
    virtual std::vector<std::string> allLandClasses() = 0;
    // Land classes of the rows whose zone is exactly this text.
    virtual std::vector<std::string> landClassesOfZone(std::string_view zone) = 0;
    // The first row with this name, or none.
    virtual std::optional<StationRecord> findStationByName(std::string_view name) = 0;
    // The curve number of the first row with this land class, whatever its zone, or none.
    virtual std::optional<double> findCurveNumber(std::string_view landClass) = 0;

    virtual const std::filesystem::path& path() const = 0;
};

} // namespace refdata
