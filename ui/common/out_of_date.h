#pragma once

#include <QString>

class QLabel;
class QWidget;

namespace ui {

// The line every window showing results gives once an input has changed since the run.
inline const QString kOutOfDateLine =
    QStringLiteral("Resultados desatualizados: clique em Calcular");

// The out-of-date line as a chart or study window shows it above its results, hidden at first.
QLabel* outOfDateLabel(QWidget* parent);

} // namespace ui
