#pragma once

#include "refdata/reference_database.h"

#include <optional>
#include <string_view>

namespace refdata {

// The station the main window makes current when this code is picked: the name at the
// same position of the list is looked up by name, so where two rows share a name the first
// of them answers, whatever code was picked. None when no row has the code, or when the
// name at its position is empty (the window then starts no lookup).
util::Result<std::optional<calc::Station>> findStationByCode(ReferenceDatabase& database,
                                                             std::string_view code);

} // namespace refdata
