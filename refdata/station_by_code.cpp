#include "refdata/station_by_code.h"

#include <algorithm>

namespace refdata {

Result<std::optional<StationRecord>> findStationByCode(ReferenceDatabase& database,
                                                       std::string_view code) {
    const auto stations = database.allStations();
    if (const auto* error = std::get_if<DatabaseError>(&stations)) {
        return *error;
    }
    const auto& list = std::get<std::vector<StationListItem>>(stations);
    const auto picked = std::ranges::find(list, code, &StationListItem::code);
    if (picked == list.end() || picked->name.empty()) {
        return std::optional<StationRecord>();
    }
    return database.findStationByName(picked->name);
}

} // namespace refdata
