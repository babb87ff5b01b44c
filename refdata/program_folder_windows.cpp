#include "refdata/program_folder.h"

#include <string>

#include <windows.h>

namespace refdata {

std::optional<std::filesystem::path> runningProgramFolder() {
    std::wstring name(MAX_PATH, L'\0');
    for (;;) {
        const DWORD size =
            ::GetModuleFileNameW(nullptr, name.data(), static_cast<DWORD>(name.size()));
        if (size == 0) {
            return std::nullopt;
        }
        if (size < name.size()) {
            name.resize(size);
            return std::filesystem::path(name).parent_path();
        }
        name.resize(2 * name.size()); // cut short: a longer name than the buffer
    }
}

} // namespace refdata
