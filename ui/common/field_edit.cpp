#include "ui/common/field_edit.h"

#include <QFocusEvent>

namespace ui {

void FieldEdit::focusInEvent(QFocusEvent* event) {
    QLineEdit::focusInEvent(event);
    if (hasSelectedText() && selectedText() == text()) {
        setSelection(static_cast<int>(text().size()), -static_cast<int>(text().size()));
    }
}

void FieldEdit::focusOutEvent(QFocusEvent* event) {
    QLineEdit::focusOutEvent(event);
    const Qt::FocusReason reason = event->reason();
    if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason) {
        Q_EMIT focusLost();
    }
}

} // namespace ui
