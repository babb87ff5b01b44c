#include "refdata/user_stations.h"

#include <cstdlib>

namespace refdata {

std::optional<std::filesystem::path> userDatabasePath() {
    return userDatabasePath(std::getenv("XDG_DATA_HOME"), std::getenv("HOME"));
}

} // namespace refdata
