#include "cli/locale_style.h"

namespace cli {

namespace {

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

const report::NumberStyle kPeriodStyle{".", ","};

std::optional<report::NumberStyle> numberStyleForLocaleName(std::string_view name) {
    if (name == "C" || name == "POSIX" || startsWith(name, "C.") || startsWith(name, "en_") ||
        startsWith(name, "en-")) {
        return kPeriodStyle;
    }
    if (name == "pt_BR" || name == "pt-BR" || startsWith(name, "pt_BR.") ||
        startsWith(name, "pt_BR@")) {
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
