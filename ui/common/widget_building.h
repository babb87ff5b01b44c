#pragma once

#include <QString>

class QHBoxLayout;
class QPushButton;
class QWidget;

namespace ui {

// A push button with its caption and object name, added at the end of a row of buttons.
QPushButton* addButton(QHBoxLayout* row, QWidget* parent, const char* name, const QString& caption);

} // namespace ui
