#include "refdata/user_stations.h"

#include <cstdlib>

#include <windows.h>

#include <knownfolders.h>
#include <shlobj.h>

namespace refdata {

namespace {

// The roaming application data folder as Windows names it for this user.
std::optional<std::filesystem::path> knownAppDataFolder() {
    wchar_t* folder = nullptr;
    const HRESULT found = ::SHGetKnownFolderPath(FOLDERID_RoamingAppData, 0, nullptr, &folder);
    std::optional<std::filesystem::path> path;
    if (SUCCEEDED(found) && folder && std::filesystem::path(folder).is_absolute()) {
        path = std::filesystem::path(folder);
    }
    ::CoTaskMemFree(folder);
    return path;
}

} // namespace

// %APPDATA%\zeb\zeb.sqlite: the user's roaming application data, where Windows programs keep
// what the user made. The variable is read first, as XDG_DATA_HOME is on Linux, so that it can
// be pointed elsewhere; an unset or relative one falls back to the folder Windows knows.
std::optional<std::filesystem::path> userDatabasePath() {
    std::optional<std::filesystem::path> folder;
    if (const wchar_t* variable = ::_wgetenv(L"APPDATA");
        variable && std::filesystem::path(variable).is_absolute()) {
        folder = std::filesystem::path(variable);
    } else {
        folder = knownAppDataFolder();
    }
    if (!folder) {
        return std::nullopt;
    }
    return *folder / "zeb" / "zeb.sqlite";
}

} // namespace refdata
