#include "ui/common/out_of_date.h"

#include "chart/figure_style.h"
#include "chart/hydrograph_chart.h"

#include <QLabel>

namespace ui {

QLabel* outOfDateLabel(QWidget* parent) {
    auto* label = new QLabel(kOutOfDateLine, parent);
    label->setObjectName(QStringLiteral("lblDesatualizado"));
    label->setFont(chart::chartFont(14, true));
    label->setStyleSheet(QStringLiteral("color: %1;").arg(chart::kNoteColour.name()));
    label->setVisible(false);
    return label;
}

} // namespace ui
