#include "cli/locale_style.h"

#include "util/windows_text.h"

#include <array>
#include <windows.h>

namespace cli {

namespace {

// One of the user's regional settings; empty when it cannot be read.
std::string userLocaleText(LCTYPE item) {
    std::array<wchar_t, 16> text{};
    const int length = ::GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, item, text.data(),
                                         static_cast<int>(text.size()));
    return length > 1 ? util::utf8FromWide(std::wstring_view(text.data(), length - 1))
                      : std::string();
}

} // namespace

// Windows keeps the number style in the user's regional settings, not in the environment.
report::NumberStyle systemNumberStyle(const std::string&) {
    return numberStyleFromLocaleData(userLocaleText(LOCALE_SDECIMAL),
                                     userLocaleText(LOCALE_STHOUSAND), "UTF-8");
}

} // namespace cli
