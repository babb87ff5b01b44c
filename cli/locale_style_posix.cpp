#include "cli/locale_style.h"

#include <langinfo.h>
#include <locale.h>

namespace cli {

report::NumberStyle systemNumberStyle(const std::string& localeName) {
    if (localeName.empty()) {
        return kPeriodStyle;
    }
    if (const auto known = numberStyleForLocaleName(localeName)) {
        return *known;
    }
    // A locale object of our own: the process's locale, which the report must not depend on,
    // stays as it is.
    const locale_t locale = ::newlocale(LC_NUMERIC_MASK, localeName.c_str(), nullptr);
    if (locale == nullptr) {
        return kPeriodStyle;
    }
    const report::NumberStyle style = numberStyleFromLocaleData(::nl_langinfo_l(RADIXCHAR, locale),
                                                                ::nl_langinfo_l(THOUSEP, locale),
                                                                ::nl_langinfo_l(CODESET, locale));
    ::freelocale(locale);
    return style;
}

} // namespace cli
