#include "refdata/user_stations.h"

#include <windows.h>

#include <knownfolders.h>
#include <shlobj.h>

namespace refdata {

// %APPDATA%\zeb\zeb.sqlite: the user's roaming application data, where Windows programs keep
// what the user made.
std::optional<std::filesystem::path> userDatabasePath() {
    wchar_t* folder = nullptr;
    const HRESULT found = ::SHGetKnownFolderPath(FOLDERID_RoamingAppData, 0, nullptr, &folder);
    std::optional<std::filesystem::path> path;
    if (SUCCEEDED(found) && folder && std::filesystem::path(folder).is_absolute()) {
        path = std::filesystem::path(folder) / "zeb" / "zeb.sqlite";
    }
    ::CoTaskMemFree(folder);
    return path;
}

} // namespace refdata
