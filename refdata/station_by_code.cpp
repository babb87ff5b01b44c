#include "refdata/station_by_code.h"

#include <algorithm>

namespace refdata {

util::Result<std::optional<calc::Station>> findStationByCode(ReferenceDatabase& database,
                                                             std::string_view code) {
    const auto stations = database.allStations();
    if (!stations) {
        return stations.failure();
    }
    const auto& list = *stations;
    const auto picked = std::ranges::find(list, code, &calc::Station::code);
    if (picked == list.end() || picked->name.empty()) {
        return std::optional<calc::Station>();
    }
    return database.findStationByName(picked->name);
}

} // namespace refdata
