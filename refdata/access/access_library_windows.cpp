#include "refdata/access/access_library.h"

#include <string>

#include <windows.h>

namespace refdata {

namespace {

// The name in the ANSI code page, where every character has its place there.
std::optional<std::string> inAnsiCodePage(const std::wstring& name) {
    if (name.empty()) {
        return std::nullopt;
    }
    const int size =
        ::WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, name.data(),
                              static_cast<int>(name.size()), nullptr, 0, nullptr, nullptr);
    std::string narrow(static_cast<std::size_t>(size), '\0');
    BOOL lost = FALSE;
    ::WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, name.data(), static_cast<int>(name.size()),
                          narrow.data(), size, nullptr, &lost);
    if (size == 0 || lost) {
        return std::nullopt;
    }
    return narrow;
}

} // namespace

void useUtf8InAccessLibrary() {
    // Built without a converter, the library gives texts in UTF-8 by itself here.
}

std::optional<std::string> accessLibraryFileName(const std::filesystem::path& file) {
    if (auto narrow = inAnsiCodePage(file.native())) {
        return narrow;
    }
    // A name outside the code page may still have a short (8.3) name, which is plain ASCII.
    std::wstring shortName(MAX_PATH, L'\0');
    const DWORD size =
        ::GetShortPathNameW(file.c_str(), shortName.data(), static_cast<DWORD>(shortName.size()));
    if (size == 0 || size >= shortName.size()) {
        return std::nullopt;
    }
    shortName.resize(size);
    return inAnsiCodePage(shortName);
}

} // namespace refdata
