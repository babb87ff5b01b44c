#pragma once

#include "calc/run_request.h"
#include "calc/study.h"
#include "chart/hydrograph_chart.h"
#include "chart/study_chart.h"
#include "report/study_grid.h"

#include <functional>
#include <string>
#include <vector>

#include <QWidget>

class QChart;
class QChartView;
class QComboBox;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QTableWidget;

namespace ui {

class DialogService;

// The flood-frequency and unit-duration study of the main window's inputs: the peak flow of
// every duration and return period in a table, two charts through it, and its exports. Modeless
// beside the main window, which hands it the inputs of each successful run.
class StudyWindow : public QWidget {
    Q_OBJECT
public:
    // `dialogs` must outlive the window. `bringUpToDate` runs before an export: it brings the
    // main window's results up to date with its inputs (this window is shown the new ones), or
    // says why it cannot and answers false.
    StudyWindow(DialogService& dialogs, std::function<bool()> bringUpToDate,
                QWidget* parent = nullptr);
    ~StudyWindow() override;

    // Computes and shows the study of these inputs (their duration and return period only
    // choose what the charts show first).
    void showInputs(const calc::RunRequest& basin, const chart::HydrographCaption& caption);

    // Says that an input changed since the run studied, or that none has.
    void setOutOfDate(bool outOfDate);

    QChart* returnPeriodChart() const;
    QChart* durationChart() const;

private:
    // The controls, made in the order Tab visits them; the layouts of the charts and commands.
    void buildReturnPeriodRow();
    void buildTable();
    QHBoxLayout* buildCharts();
    QHBoxLayout* buildCommands();
    void arrangeParts(QHBoxLayout* charts, QHBoxLayout* commands);
    void applyReturnPeriods();
    // The return periods of the columns: the list typed, or in mode Own the run's own alone,
    // since the typed K already holds its return period.
    bool ownEquation() const { return m_basin.mode == calc::EquationMode::Own; }
    std::vector<double> columnReturnPeriods() const;
    void recompute();
    void fillTable();
    void updateCharts();
    void exportCsv();
    void exportPdf();
    void copyTable();
    QString headingText() const;
    QStringList legendLines() const;
    std::vector<chart::StudyPoint> pointsOfRow(int row) const;
    std::vector<chart::StudyPoint> pointsOfColumn(int column) const;

    DialogService& m_dialogs;
    std::function<bool()> m_bringUpToDate;
    calc::RunRequest m_basin;
    chart::HydrographCaption m_caption;
    std::vector<int> m_durations;
    std::vector<double> m_returnPeriods; // as typed in the list
    std::vector<double> m_columns;       // as studied: see columnReturnPeriods
    std::vector<calc::StudyCell> m_cells;
    report::StudyGrid m_grid;
    bool m_shown = false; // false until the first inputs: the charts' choices start from them

    QLabel* m_heading = nullptr;
    QLabel* m_outOfDate = nullptr;
    QLabel* m_ownNote = nullptr;
    QWidget* m_returnPeriodRow = nullptr;
    QWidget* m_returnPeriodChartColumn = nullptr;
    QLineEdit* m_returnPeriodList = nullptr;
    QLabel* m_listProblem = nullptr;
    QTableWidget* m_table = nullptr;
    QLabel* m_legend = nullptr;
    QComboBox* m_chartDuration = nullptr;
    QComboBox* m_chartReturnPeriod = nullptr;
    QChartView* m_byReturnPeriod = nullptr;
    QChartView* m_byDuration = nullptr;
};

} // namespace ui
