#pragma once

#include "calc/record.h"
#include "chart/hydrograph_chart.h"
#include "chart/hydrograph_figure.h"

#include <QWidget>

class QChart;
class QChartView;
class QLabel;
class QPushButton;

namespace ui {

class DialogService;

// The chart of the last run in a window of its own, modeless beside the main window, with
// the limit notes under it and commands to save the figure as PNG, SVG or PDF.
class HydrographWindow : public QWidget {
    Q_OBJECT
public:
    // `dialogs` must outlive the window.
    explicit HydrographWindow(DialogService& dialogs, QWidget* parent = nullptr);
    ~HydrographWindow() override;

    // Draws this record; the main window calls it after every successful run.
    void showRecord(const calc::CalculationRecord& record, const chart::HydrographCaption& caption);

    QChart* chart() const;
    // The notes as shown under the chart, one paragraph each; empty when none applies.
    QString notesText() const;

private:
    void saveFigure(chart::FigureFormat format);

    DialogService& m_dialogs;
    QChartView* m_view = nullptr;
    QLabel* m_notes = nullptr;
    calc::CalculationRecord m_record;
    chart::HydrographCaption m_caption;
};

} // namespace ui
