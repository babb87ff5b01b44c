#include "refdata/station_by_code.h"

#include <algorithm>

namespace refdata {

util::Result<std::optional<StationRecord>> findStationByCode(ReferenceDatabase& database,
                                                             std::string_view code) {
    const auto stations = database.allStations();
    if (!stations) {
        return stations.failure();
    }
    const auto& list = *stations;
    const auto picked = std::ranges::find(list, code, &StationListItem::code);
    if (picked == list.end() || picked->name.empty()) {
        return std::optional<StationRecord>();
    }
    return database.findStationByName(picked->name);
}

} // namespace refdata
