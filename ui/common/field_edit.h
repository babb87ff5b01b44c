#pragma once

#include <QLineEdit>

namespace ui {

// A text box that reports losing the keyboard focus to another control of its window.
// Focus that leaves with the whole window (another window or a message box becoming active)
// or for a popup is not a lost focus: the field is still the one being edited. Entered by the
// keyboard, its whole text is selected from the end back to the start, so that a narrow field
// shows where its number begins.
class FieldEdit : public QLineEdit {
    Q_OBJECT
public:
    using QLineEdit::QLineEdit;

Q_SIGNALS:
    void focusLost();

protected:
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
};

} // namespace ui
