#include "ui/main/results_view.h"

#include "calc/limits.h"
#include "look/colours.h"
#include "report/results_grid.h"

#include <QHeaderView>
#include <QLabel>
#include <QStringList>
#include <QTableWidget>

namespace ui {

namespace {

// The layout measures in twips; 15 of them make a pixel at 96 dots per inch.
constexpr int kGridColumnWidthPx = 1500 / 15;

// The grid's cell at a place, created on first use. Rows 1..15 hold values; their texts are
// already padded to a fixed width, so they are shown as they are, set against the right edge.
QTableWidgetItem* gridItem(QTableWidget* grid, int row, int column) {
    QTableWidgetItem* item = grid->item(row, column);
    if (item == nullptr) {
        item = new QTableWidgetItem;
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
        item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        grid->setItem(row, column, item);
    }
    return item;
}

} // namespace

ResultsView::ResultsView(QTableWidget* grid, QLabel* notes, const report::NumberStyle& style)
    : m_grid(grid), m_notes(notes), m_style(style) {
    // Row 0 is the grid's fixed heading row: it looks like a header and cannot be selected. It
    // is a pixel lower than the value rows so that the sixteen rows fill the grid exactly.
    m_grid->setRowHeight(0, m_grid->verticalHeader()->defaultSectionSize() - 1);
    for (int column = 0; column < m_grid->columnCount(); ++column) {
        auto* item = new QTableWidgetItem;
        item->setFlags(Qt::ItemIsEnabled);
        item->setTextAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        item->setBackground(m_grid->palette().button());
        item->setForeground(m_grid->palette().buttonText());
        m_grid->setItem(0, column, item);
    }
    m_notes->setWordWrap(true);
    m_notes->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_notes->setStyleSheet(QStringLiteral("color: %1;").arg(look::kNoteColour.name()));
}

void ResultsView::setUpHeadings() {
    m_grid->setColumnWidth(0, kGridColumnWidthPx);
    m_grid->setColumnWidth(1, kGridColumnWidthPx);
    m_grid->item(0, 0)->setText(QStringLiteral("        Tempo (h)"));
    m_grid->item(0, 1)->setText(QStringLiteral("      Vazão (m³/s)"));
}

void ResultsView::show(const calc::CalculationRecord& record) {
    m_record = record;
    m_hasResults = true;
    for (int row = 1; row <= calc::kSteps; ++row) {
        gridItem(m_grid, row, 0)
            ->setText(QString::fromStdString(report::gridTimeCell(record, row, m_style)));
        gridItem(m_grid, row, 1)
            ->setText(QString::fromStdString(report::gridFlowCell(record, row, m_style)));
    }
    setOutOfDate(false);
}

void ResultsView::clear() {
    m_record = calc::CalculationRecord{};
    m_hasResults = false;
    for (int row = 1; row < m_grid->rowCount(); ++row) {
        for (int column = 0; column < m_grid->columnCount(); ++column) {
            if (QTableWidgetItem* item = m_grid->item(row, column)) {
                item->setText(QString());
            }
        }
    }
    setOutOfDate(false);
}

void ResultsView::setOutOfDate(bool outOfDate) {
    m_outOfDate = outOfDate && m_hasResults;
    const QPalette::ColorGroup group = m_outOfDate ? QPalette::Disabled : QPalette::Active;
    const QBrush values = m_grid->palette().brush(group, QPalette::Text);
    for (int row = 1; row < m_grid->rowCount(); ++row) {
        for (int column = 0; column < m_grid->columnCount(); ++column) {
            if (QTableWidgetItem* item = m_grid->item(row, column)) {
                item->setForeground(values);
            }
        }
    }
    showNotes();
}

// Each note in a few words, the whole of them on hover; the chart window and the report give
// them in full.
void ResultsView::showNotes() {
    QStringList titles;
    QStringList notes;
    if (m_outOfDate) {
        titles.append(kOutOfDateLine);
    } else if (m_hasResults) {
        for (const std::string_view title : calc::limitNoteTitles(m_record)) {
            titles.append(QString::fromUtf8(title.data(), static_cast<qsizetype>(title.size())));
        }
        for (const std::string& note : calc::limitNotes(m_record)) {
            notes.append(QString::fromStdString(note));
        }
    }
    m_notes->setText(titles.join(QLatin1Char('\n')));
    m_notes->setToolTip(notes.join(QStringLiteral("\n\n")));
    m_notes->setVisible(!titles.isEmpty());
}

QString ResultsView::tableText() const {
    QStringList lines;
    for (int row = 0; row < m_grid->rowCount(); ++row) {
        QStringList cells;
        for (int column = 0; column < m_grid->columnCount(); ++column) {
            const QTableWidgetItem* item = m_grid->item(row, column);
            cells.append(item != nullptr ? item->text().trimmed() : QString());
        }
        lines.append(cells.join(QLatin1Char('\t')));
    }
    return lines.join(QLatin1Char('\n')) + QLatin1Char('\n');
}

} // namespace ui
