#pragma once

#include "calc/record.h"
#include "numbers/number_style.h"

#include "ui/common/out_of_date.h"

#include <QString>

class QLabel;
class QTableWidget;

namespace ui {

// The main window's results: the grid's sixteen rows, the notes on the run's limits under it,
// and whether the results still belong to the inputs shown. Owns no widget; works on the two
// it is given.
class ResultsView {
public:
    ResultsView(QTableWidget* grid, QLabel* notes, const report::NumberStyle& style);

    // The column widths and the two headings of row 0.
    void setUpHeadings();
    // The run's times and flows in rows 1..15 and its notes; the results are current.
    void show(const calc::CalculationRecord& record);
    // No value, no note, nothing out of date: as after loading.
    void clear();
    // Greys the values and says so instead of the notes, which speak of the old run.
    void setOutOfDate(bool outOfDate);
    bool isOutOfDate() const { return m_outOfDate; }
    // The whole table, headings included, one row a line and a tab between the columns: what
    // the grid's copy command gives.
    QString tableText() const;

private:
    void showNotes();

    QTableWidget* m_grid;
    QLabel* m_notes;
    const report::NumberStyle& m_style;
    calc::CalculationRecord m_record;
    bool m_hasResults = false;
    bool m_outOfDate = false;
};

} // namespace ui
