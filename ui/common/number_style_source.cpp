#include "ui/common/number_style_source.h"

#include <QLocale>

namespace ui {

report::NumberStyle numberStyleOf(const QLocale& locale) {
    report::NumberStyle style;
    style.decimalSeparator = locale.decimalPoint().toStdString();
    style.groupSeparator = locale.groupSeparator().toStdString();
    return style;
}

report::NumberStyle systemNumberStyle() {
    // QLocale::system(), not the default locale: the regional settings of the user.
    return numberStyleOf(QLocale::system());
}

} // namespace ui
