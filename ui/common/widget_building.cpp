#include "ui/common/widget_building.h"

#include <QHBoxLayout>
#include <QPushButton>

namespace ui {

QPushButton* addButton(QHBoxLayout* row, QWidget* parent, const char* name,
                       const QString& caption) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(QString::fromLatin1(name));
    row->addWidget(button);
    return button;
}

} // namespace ui
