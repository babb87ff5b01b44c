#pragma once

#include "numbers/number_style.h"

#include <optional>
#include <string>
#include <string_view>

namespace cli {

// The C separators: a period and a comma.
extern const report::NumberStyle kPeriodStyle;

// The separators of a locale named on the command line: C, POSIX and C.* and en_* give a
// period and a comma, pt_BR (with any codeset or modifier) a comma and a period; the Windows
// names en-* and pt-BR alike. None for any other name.
std::optional<report::NumberStyle> numberStyleForLocaleName(std::string_view name);

// The locale the environment selects for numbers: LC_ALL, else LC_NUMERIC, else LANG.
std::string numericLocaleName(const std::string& lcAll, const std::string& lcNumeric,
                              const std::string& lang);

// The separators of the system's numeric locale, read from the locale's own data without
// changing the process's locale. The names above map as listed; another installed locale
// gives its own separators; an unknown one the C separators. On Windows, the separators of the
// user's regional settings, whatever the name (one implementation per platform).
report::NumberStyle systemNumberStyle(const std::string& localeName);

// The separators a locale's data gives, as the report can use them: in a locale that does not
// write UTF-8, a decimal separator outside ASCII gives the C separators and a group separator
// outside ASCII none; an empty decimal separator gives the C separators.
report::NumberStyle numberStyleFromLocaleData(std::string decimalSeparator,
                                              std::string groupSeparator, std::string_view codeset);

} // namespace cli
