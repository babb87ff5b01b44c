#include "refdata/station_by_code.h"

#include <algorithm>

namespace refdata {

std::optional<StationRecord> findStationByCode(ReferenceDatabase& database, std::string_view code) {
    const auto stations = database.allStations();
    const auto picked = std::ranges::find_if(
        stations, [code](const StationListItem& item) { return item.codigo == code; });
    if (picked == stations.end() || picked->nome.empty()) {
        return std::nullopt;
    }
    return database.findStationByName(picked->nome);
}

} // namespace refdata
