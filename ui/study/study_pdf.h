#pragma once

#include "report/study_grid.h"

#include <memory>

#include <QByteArray>
#include <QStringList>

class QChart;

namespace ui {

// What the study's page shows: a heading, the table, the legend under it, and the two charts
// side by side below.
struct StudyPage {
    QString heading;
    const report::StudyGrid* grid = nullptr;
    report::NumberStyle numberStyle;
    QStringList legend;
    std::unique_ptr<QChart> byReturnPeriod;
    std::unique_ptr<QChart> byDuration;
};

// The whole bytes of a one-page landscape A4 PDF of the study. Needs a running QApplication.
QByteArray studyPdf(StudyPage page);

} // namespace ui
