#include "ui/field_edit.h"

#include <QFocusEvent>

namespace ui {

void FieldEdit::focusOutEvent(QFocusEvent* event) {
    QLineEdit::focusOutEvent(event);
    const Qt::FocusReason reason = event->reason();
    if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason) {
        Q_EMIT focusLost();
    }
}

} // namespace ui
