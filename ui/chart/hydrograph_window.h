#pragma once

#include "calc/record.h"
#include "chart/hydrograph_chart.h"
#include "chart/hydrograph_figure.h"

#include <functional>

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
    // `dialogs` must outlive the window. `bringUpToDate` runs before a figure is saved: it
    // brings the results up to date with the inputs (the window is shown the new record), or
    // says why it cannot and answers false.
    HydrographWindow(DialogService& dialogs, std::function<bool()> bringUpToDate,
                     QWidget* parent = nullptr);
    ~HydrographWindow() override;

    // Draws this record; the main window calls it after every successful run.
    void showRecord(const calc::CalculationRecord& record, const chart::HydrographCaption& caption);

    // Says that an input changed since the run drawn, or that none has.
    void setOutOfDate(bool outOfDate);

    QChart* chart() const;
    // The notes as shown under the chart, one paragraph each; empty when none applies.
    QString notesText() const;

private:
    void saveFigure(chart::FigureFormat format);

    DialogService& m_dialogs;
    std::function<bool()> m_bringUpToDate;
    QChartView* m_view = nullptr;
    QLabel* m_outOfDate = nullptr;
    QLabel* m_notes = nullptr;
    calc::CalculationRecord m_record;
    chart::HydrographCaption m_caption;
};

} // namespace ui
