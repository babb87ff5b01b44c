#include "ui/common/out_of_date.h"

#include "look/colours.h"
#include "chart/hydrograph_chart.h"
#include "look/fonts.h"

#include <QLabel>

namespace ui {

QLabel* outOfDateLabel(QWidget* parent) {
    auto* label = new QLabel(kOutOfDateLine, parent);
    label->setObjectName(QStringLiteral("lblDesatualizado"));
    label->setFont(look::chartFont(14, true));
    label->setStyleSheet(QStringLiteral("color: %1;").arg(look::kNoteColour.name()));
    label->setVisible(false);
    return label;
}

} // namespace ui
