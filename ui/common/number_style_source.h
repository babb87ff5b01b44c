#pragma once

#include "numbers/number_style.h"

class QLocale;

namespace ui {

// The separators a locale writes numbers with.
report::NumberStyle numberStyleOf(const QLocale& locale);

// The system's regional settings, which the windows write and read numbers by.
report::NumberStyle systemNumberStyle();

} // namespace ui
