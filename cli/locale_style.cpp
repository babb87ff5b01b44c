#include "cli/locale_style.h"

#include <langinfo.h>
#include <locale.h>

namespace cli {

namespace {

const report::NumberStyle kPeriodStyle{".", ","};
const report::NumberStyle kCommaStyle{",", "."};

bool startsWith(std::string_view text, std::string_view prefix) {
    return text.substr(0, prefix.size()) == prefix;
}

bool isAscii(std::string_view text) {
    for (const char ch : text) {
        if (static_cast<unsigned char>(ch) >= 0x80) {
            return false;
        }
    }
    return true;
}

} // namespace

std::optional<report::NumberStyle> numberStyleForLocaleName(std::string_view name) {
    if (name == "C" || name == "POSIX" || startsWith(name, "C.") || startsWith(name, "en_")) {
        return kPeriodStyle;
    }
    if (name == "pt_BR" || startsWith(name, "pt_BR.") || startsWith(name, "pt_BR@")) {
        return kCommaStyle;
    }
    return std::nullopt;
}

std::string numericLocaleName(const std::string& lcAll, const std::string& lcNumeric,
                              const std::string& lang) {
    if (!lcAll.empty()) {
        return lcAll;
    }
    if (!lcNumeric.empty()) {
        return lcNumeric;
    }
    return lang;
}

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

report::NumberStyle numberStyleFromLocaleData(std::string decimalSeparator,
                                              std::string groupSeparator,
                                              std::string_view codeset) {
    // Separators outside ASCII are taken only when the locale writes UTF-8, as the report's
    // texts are; a decimal separator must exist.
    const bool utf8 = codeset == "UTF-8";
    if (decimalSeparator.empty() || (!utf8 && !isAscii(decimalSeparator))) {
        return kPeriodStyle;
    }
    if (!utf8 && !isAscii(groupSeparator)) {
        groupSeparator.clear();
    }
    return {std::move(decimalSeparator), std::move(groupSeparator)};
}

} // namespace cli
