#pragma once

#include <QLineEdit>

namespace ui {

// A text box that reports losing the keyboard focus to another control of its window.
// Focus that leaves with the whole window (another window or a message box becoming active)
// or for a popup is not a lost focus: the field is still the one being edited.
class FieldEdit : public QLineEdit {
    Q_OBJECT
public:
    using QLineEdit::QLineEdit;

Q_SIGNALS:
    void focusLost();

protected:
    void focusOutEvent(QFocusEvent* event) override;
};

} // namespace ui
