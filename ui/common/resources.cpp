#include "ui/common/resources.h"

#include <QtGlobal>

// Q_INIT_RESOURCE must be used outside any namespace.
static void initZebResources() {
    Q_INIT_RESOURCE(zeb);
}

namespace ui {

void initResources() {
    static const bool registered = (initZebResources(), true);
    (void)registered;
}

} // namespace ui
