#include "ui/study/study_window.h"

#include "calc/durations.h"
#include "calc/limits.h"
#include "look/colours.h"
#include "look/fonts.h"
#include "chart/study_chart.h"
#include "numbers/number_format.h"
#include "report/study_table.h"
#include "ui/common/dialog_service.h"
#include "ui/common/file_export.h"
#include "ui/common/out_of_date.h"
#include "ui/study/study_pdf.h"

#include <memory>

#include <QApplication>
#include <QChart>
#include <QChartView>
#include <QClipboard>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QTableWidget>
#include <QVBoxLayout>

namespace ui {

namespace {

QString qText(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// Shows a new chart in the view and deletes the one it showed before, which the view does not.
void replaceChart(QChartView* view, std::unique_ptr<QChart> chart) {
    const std::unique_ptr<QChart> previous(view->chart());
    view->setChart(chart.release());
}

} // namespace

StudyWindow::StudyWindow(DialogService& dialogs, std::function<bool()> bringUpToDate,
                         QWidget* parent)
    : QWidget(parent, Qt::Window), m_dialogs(dialogs), m_bringUpToDate(std::move(bringUpToDate)) {
    setWindowTitle(QStringLiteral("ZEB - Estudo de recorrências e durações"));
    setObjectName(QStringLiteral("frmEstudo"));
    for (int index = 0; index < calc::kDurationCount; ++index) {
        m_durations.push_back(index);
    }
    m_returnPeriods.assign(std::begin(calc::kDefaultStudyReturnPeriods),
                           std::end(calc::kDefaultStudyReturnPeriods));

    m_heading = new QLabel(this);
    m_heading->setObjectName(QStringLiteral("lblEstudo"));
    m_heading->setFont(look::chartFont(14, true));

    buildReturnPeriodRow();
    buildTable();

    m_legend = new QLabel(this);
    m_legend->setObjectName(QStringLiteral("lblLegenda"));
    m_legend->setWordWrap(true);

    QHBoxLayout* charts = buildCharts();
    QHBoxLayout* commands = buildCommands();

    m_outOfDate = outOfDateLabel(this);
    m_ownNote = new QLabel(QStringLiteral("Equação própria: o K digitado já contém o tempo de "
                                          "recorrência, por isso o estudo mostra só as "
                                          "durações."),
                           this);
    m_ownNote->setObjectName(QStringLiteral("lblEquacaoPropria"));
    m_ownNote->setVisible(false);
    arrangeParts(charts, commands);
}

void StudyWindow::arrangeParts(QHBoxLayout* charts, QHBoxLayout* commands) {
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_outOfDate);
    layout->addWidget(m_heading);
    layout->addWidget(m_returnPeriodRow);
    layout->addWidget(m_ownNote);
    layout->addWidget(m_table);
    layout->addWidget(m_legend);
    layout->addLayout(charts, 1);
    layout->addLayout(commands);
}

// The children outlive this class's members: a focused list that loses its focus as the window
// goes would finish its editing into a study already destroyed.
StudyWindow::~StudyWindow() {
    for (QObject* child : findChildren<QObject*>()) {
        child->disconnect(this);
    }
}

void StudyWindow::showInputs(const calc::RunRequest& basin,
                             const chart::HydrographCaption& caption) {
    m_basin = basin;
    m_caption = caption;
    m_returnPeriodList->setText(
        qText(report::returnPeriodListText(m_returnPeriods, caption.numberStyle)));
    m_listProblem->setVisible(false);
    if (!m_shown) {
        // The charts are made once, in the user's number format, and then only redrawn.
        replaceChart(m_byReturnPeriod, chart::newPeakByReturnPeriodChart(caption.numberStyle));
        replaceChart(m_byDuration, chart::newPeakByDurationChart(caption.numberStyle));
    }
    m_returnPeriodRow->setVisible(!ownEquation());
    m_returnPeriodChartColumn->setVisible(!ownEquation());
    m_ownNote->setVisible(ownEquation());
    recompute();
    if (!m_shown) {
        m_shown = true;
        m_chartDuration->setCurrentIndex(basin.durationIndex);
        const auto found = std::find(m_columns.begin(), m_columns.end(), basin.returnPeriodYears);
        if (found != m_columns.end()) {
            m_chartReturnPeriod->setCurrentIndex(static_cast<int>(found - m_columns.begin()));
        }
    }
}

void StudyWindow::setOutOfDate(bool outOfDate) {
    m_outOfDate->setVisible(outOfDate);
    m_table->setEnabled(!outOfDate);
}

std::vector<double> StudyWindow::columnReturnPeriods() const {
    return ownEquation() ? std::vector<double>{m_basin.returnPeriodYears} : m_returnPeriods;
}

QChart* StudyWindow::returnPeriodChart() const {
    return m_byReturnPeriod->chart();
}

QChart* StudyWindow::durationChart() const {
    return m_byDuration->chart();
}

// A list that does not read keeps the study as it was and says why beside the field.
void StudyWindow::applyReturnPeriods() {
    const std::optional<std::vector<double>> years = report::parseReturnPeriodList(
        m_returnPeriodList->text().toStdString(), m_caption.numberStyle);
    if (!years) {
        m_listProblem->setText(QStringLiteral("Escreva tempos de recorrência maiores que 0, "
                                              "separados por ponto e vírgula."));
        m_listProblem->setVisible(true);
        return;
    }
    m_listProblem->setVisible(false);
    if (*years != m_returnPeriods) {
        m_returnPeriods = *years;
        recompute();
    }
}

void StudyWindow::recompute() {
    m_columns = columnReturnPeriods();
    m_cells = calc::computeStudy(m_basin, m_durations, m_columns);
    m_grid = report::studyGrid(m_cells, m_durations, m_columns);
    m_grid.ownEquation = ownEquation();
    m_heading->setText(headingText());
    fillTable();
    m_legend->setText(legendLines().join(QLatin1Char('\n')));

    // The return-period choice keeps its value when the new list still has it.
    const QString chosen = m_chartReturnPeriod->currentText();
    const QSignalBlocker blocker(m_chartReturnPeriod);
    m_chartReturnPeriod->clear();
    for (const double years : m_columns) {
        m_chartReturnPeriod->addItem(
            ownEquation() ? qText(report::columnHeading(m_grid, 0, m_caption.numberStyle))
                          : qText(report::formatPlain(years, m_caption.numberStyle)));
    }
    m_chartReturnPeriod->setCurrentIndex(std::max(0, m_chartReturnPeriod->findText(chosen)));
    updateCharts();
}

void StudyWindow::fillTable() {
    const report::NumberStyle& style = m_caption.numberStyle;
    m_table->setRowCount(static_cast<int>(m_durations.size()));
    m_table->setColumnCount(static_cast<int>(m_columns.size()));
    QStringList rows;
    for (const int index : m_durations) {
        rows.append(qText(calc::durationLabels.at(static_cast<std::size_t>(index))));
    }
    QStringList columns;
    for (std::size_t column = 0; column < m_columns.size(); ++column) {
        columns.append(qText(report::columnHeading(m_grid, column, style)));
    }
    m_table->setVerticalHeaderLabels(rows);
    m_table->setHorizontalHeaderLabels(columns);
    for (int row = 0; row < m_table->rowCount(); ++row) {
        for (int column = 0; column < m_table->columnCount(); ++column) {
            const report::StudyGridCell& cell =
                m_grid.cells[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)];
            QTableWidgetItem* item = m_table->item(row, column);
            if (item == nullptr) {
                item = new QTableWidgetItem;
                item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
                m_table->setItem(row, column, item);
            }
            item->setText(qText(report::studyCellText(cell, style)));
            QFont font = item->font();
            font.setBold(cell.bestPeak);
            item->setFont(font);
            item->setBackground(cell.bestPeak ? QBrush(look::kBestPeakColour) : QBrush());
            item->setForeground(cell.noted() || !cell.computed ? QBrush(look::kNoteColour)
                                                               : QBrush());
            item->setToolTip(qText(cell.error));
        }
    }
}

void StudyWindow::updateCharts() {
    const int row = m_chartDuration->currentIndex();
    const int column = m_chartReturnPeriod->currentIndex();
    // Nothing to draw before the first inputs have made the charts.
    if (row < 0 || column < 0 || m_grid.cells.empty() ||
        m_byDuration->chart()->series().isEmpty()) {
        return;
    }
    chart::showPeaksByReturnPeriod(*m_byReturnPeriod->chart(), pointsOfRow(row),
                                   m_chartDuration->currentText());
    chart::showPeaksByDuration(*m_byDuration->chart(), pointsOfColumn(column),
                               m_columns[static_cast<std::size_t>(column)], m_caption.numberStyle);
}

std::vector<chart::StudyPoint> StudyWindow::pointsOfRow(int row) const {
    std::vector<chart::StudyPoint> points;
    const auto& cells = m_grid.cells[static_cast<std::size_t>(row)];
    for (std::size_t column = 0; column < cells.size(); ++column) {
        if (cells[column].computed) {
            points.push_back({m_columns[column], cells[column].peakFlowM3s, cells[column].noted()});
        }
    }
    // The curve runs along the axis, whatever order the list was typed in.
    std::sort(points.begin(), points.end(), [](const auto& a, const auto& b) { return a.x < b.x; });
    return points;
}

std::vector<chart::StudyPoint> StudyWindow::pointsOfColumn(int column) const {
    std::vector<chart::StudyPoint> points;
    for (std::size_t row = 0; row < m_grid.cells.size(); ++row) {
        const report::StudyGridCell& cell = m_grid.cells[row][static_cast<std::size_t>(column)];
        if (cell.computed) {
            points.push_back(
                {static_cast<double>(m_durations[row]), cell.peakFlowM3s, cell.noted()});
        }
    }
    return points;
}

QString StudyWindow::headingText() const {
    const report::NumberStyle& style = m_caption.numberStyle;
    const auto plain = [&style](double value) { return qText(report::formatPlain(value, style)); };
    QString text = QStringLiteral("Vazão de pico (m³/s) por duração e tempo de recorrência");
    if (!m_caption.river.trimmed().isEmpty()) {
        text += QStringLiteral(" – ") + m_caption.river.trimmed();
    }
    return text + QStringLiteral("   ·   A = %1 km²   ·   CN = %2   ·   tc = %3 h")
                      .arg(plain(m_basin.drainageAreaKm2), plain(m_basin.curveNumber),
                           qText(report::formatPattern(m_basin.concentrationTimeH.value_or(0),
                                                       report::Pattern::Plain3, style)));
}

QStringList StudyWindow::legendLines() const {
    return {QStringLiteral(
                "Negrito, em destaque: a maior vazão de pico de cada tempo de recorrência entre as "
                "durações sem nota."),
            qText(report::kFloodNotRecededMark) + QLatin1Char(' ') +
                qText(calc::kFloodNotRecededNote),
            qText(report::kUnitHydrographCutMark) + QLatin1Char(' ') +
                qText(calc::kUnitHydrographCutNote)};
}

void StudyWindow::copyTable() {
    QApplication::clipboard()->setText(
        QString::fromStdString(report::studyClipboardText(m_grid, m_caption.numberStyle)));
}

void StudyWindow::exportCsv() {
    if (m_bringUpToDate && !m_bringUpToDate()) {
        return;
    }
    // The file holds every cell: a study with a run that failed is not exported.
    for (const calc::StudyCell& cell : m_cells) {
        if (!cell.outcome) {
            m_dialogs.warning(
                this,
                QStringLiteral("O estudo não foi exportado: a duração %1 com TR %2 anos "
                               "não pôde ser calculada (%3)")
                    .arg(qText(
                             calc::durationLabels.at(static_cast<std::size_t>(cell.durationIndex))),
                         qText(report::formatPlain(cell.returnPeriodYears, m_caption.numberStyle)),
                         QString::fromStdString(cell.outcome.failure().message)));
            return;
        }
    }
    const auto request = SaveFileRequest::ofKind(
        QStringLiteral("Exportar Estudo"), QStringLiteral("Arquivo CSV (*.csv)"),
        QStringLiteral("csv"), QStringLiteral("Estudo.csv"));
    if (const std::optional<QString> path = m_dialogs.askSaveFileName(this, request)) {
        writeExportedFile(
            this, m_dialogs, *path,
            report::studyCsv(m_cells, report::CsvStyle::forNumberStyle(m_caption.numberStyle)));
    }
}

void StudyWindow::exportPdf() {
    if (m_bringUpToDate && !m_bringUpToDate()) {
        return;
    }
    const std::optional<QString> path = m_dialogs.askSaveFileName(
        this, SaveFileRequest::ofKind(QStringLiteral("Exportar Estudo"),
                                      QStringLiteral("Documento PDF (*.pdf)"),
                                      QStringLiteral("pdf"), QStringLiteral("Estudo.pdf")));
    if (!path || m_grid.cells.empty()) {
        return;
    }
    StudyPage page;
    page.heading = headingText();
    page.grid = &m_grid;
    page.numberStyle = m_caption.numberStyle;
    page.legend = legendLines();
    if (ownEquation()) {
        page.legend.prepend(m_ownNote->text());
    } else {
        page.byReturnPeriod = chart::newPeakByReturnPeriodChart(m_caption.numberStyle);
        chart::showPeaksByReturnPeriod(*page.byReturnPeriod,
                                       pointsOfRow(m_chartDuration->currentIndex()),
                                       m_chartDuration->currentText());
    }
    page.byDuration = chart::newPeakByDurationChart(m_caption.numberStyle);
    const int column = m_chartReturnPeriod->currentIndex();
    chart::showPeaksByDuration(*page.byDuration, pointsOfColumn(column),
                               m_columns[static_cast<std::size_t>(column)], m_caption.numberStyle);
    const QByteArray bytes = studyPdf(std::move(page));
    writeExportedFile(this, m_dialogs, *path,
                      std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
}

} // namespace ui
