#include "refdata/station_by_code.h"

#include <algorithm>

namespace refdata {

Result<std::optional<calc::Station>> findStationByCode(ReferenceDatabase& database,
                                                       std::string_view code) {
    const auto stations = database.allStations();
    if (const auto* error = std::get_if<DatabaseError>(&stations)) {
        return *error;
    }
    const auto& list = std::get<std::vector<calc::Station>>(stations);
    const auto picked = std::ranges::find(list, code, &calc::Station::code);
    if (picked == list.end() || picked->name.empty()) {
        return std::optional<calc::Station>();
    }
    return database.findStationByName(picked->name);
}

} // namespace refdata
