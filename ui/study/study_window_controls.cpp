// The study window's controls: the list of return periods, the table, the two charts with
// their choices and the commands, made in the order the Tab key visits them.

#include "ui/study/study_window.h"

#include "calc/durations.h"
#include "look/colours.h"
#include "ui/common/widget_building.h"

#include <QChartView>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace ui {

void StudyWindow::buildReturnPeriodRow() {
    m_returnPeriodList = new QLineEdit(this);
    m_returnPeriodList->setObjectName(QStringLiteral("txtRecorrencias"));
    m_listProblem = new QLabel(this);
    m_listProblem->setStyleSheet(QStringLiteral("color: %1;").arg(look::kNoteColour.name()));
    m_listProblem->setVisible(false);
    connect(m_returnPeriodList, &QLineEdit::editingFinished, this,
            &StudyWindow::applyReturnPeriods);
    m_returnPeriodRow = new QWidget(this);
    auto* listRow = new QHBoxLayout(m_returnPeriodRow);
    listRow->setContentsMargins(0, 0, 0, 0);
    auto* listLabel =
        new QLabel(QStringLiteral("&Tempos de recorrência (anos):"), m_returnPeriodRow);
    listLabel->setBuddy(m_returnPeriodList);
    listRow->addWidget(listLabel);
    listRow->addWidget(m_returnPeriodList, 1);
    listRow->addWidget(m_listProblem);
}

void StudyWindow::buildTable() {
    m_table = new QTableWidget(this);
    m_table->setObjectName(QStringLiteral("grdEstudo"));
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    // Fixed rows: measuring every cell's text again after each run costs more than the study.
    m_table->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_table->verticalHeader()->setDefaultSectionSize(m_table->fontMetrics().height() + 4);
    m_table->setSizeAdjustPolicy(QAbstractScrollArea::AdjustToContents);
    m_table->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_table->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // A cell picked in the table is what both charts show.
    connect(m_table, &QTableWidget::currentCellChanged, this, [this](int row, int column) {
        if (row >= 0 && column >= 0) {
            m_chartDuration->setCurrentIndex(row);
            m_chartReturnPeriod->setCurrentIndex(column);
        }
    });
}

QHBoxLayout* StudyWindow::buildCharts() {
    m_chartDuration = new QComboBox(this);
    m_chartDuration->setObjectName(QStringLiteral("cboDuracaoGrafico"));
    for (const std::string_view label : calc::durationLabels) {
        m_chartDuration->addItem(
            QString::fromUtf8(label.data(), static_cast<qsizetype>(label.size())));
    }
    m_chartReturnPeriod = new QComboBox(this);
    m_chartReturnPeriod->setObjectName(QStringLiteral("cboRecorrenciaGrafico"));
    for (QComboBox* choice : {m_chartDuration, m_chartReturnPeriod}) {
        connect(choice, &QComboBox::currentIndexChanged, this, &StudyWindow::updateCharts);
    }
    m_byReturnPeriod = new QChartView(this);
    m_byDuration = new QChartView(this);
    auto* charts = new QHBoxLayout;
    const std::pair<QComboBox*, QString> choices[] = {
        {m_chartDuration, QStringLiteral("D&uração do gráfico:")},
        {m_chartReturnPeriod, QStringLiteral("T&R do gráfico (anos):")}};
    QChartView* views[] = {m_byReturnPeriod, m_byDuration};
    for (int i = 0; i < 2; ++i) {
        views[i]->setRenderHint(QPainter::Antialiasing);
        views[i]->setMinimumSize(480, 320);
        auto* columnWidget = new QWidget(this);
        if (i == 0) {
            m_returnPeriodChartColumn = columnWidget;
        }
        auto* column = new QVBoxLayout(columnWidget);
        column->setContentsMargins(0, 0, 0, 0);
        auto* form = new QFormLayout;
        form->addRow(choices[i].second, choices[i].first);
        column->addLayout(form);
        column->addWidget(views[i], 1);
        charts->addWidget(columnWidget);
    }
    return charts;
}

QHBoxLayout* StudyWindow::buildCommands() {
    auto* commands = new QHBoxLayout;
    commands->addStretch();
    connect(addButton(commands, this, "cmdCopiar", QStringLiteral("Co&piar tabela")),
            &QPushButton::clicked, this, &StudyWindow::copyTable);
    connect(addButton(commands, this, "cmdExportarCSV", QStringLiteral("Exportar &CSV...")),
            &QPushButton::clicked, this, &StudyWindow::exportCsv);
    connect(addButton(commands, this, "cmdExportarPDF", QStringLiteral("Exportar P&DF...")),
            &QPushButton::clicked, this, &StudyWindow::exportPdf);
    connect(addButton(commands, this, "cmdFechar", QStringLiteral("&Fechar")),
            &QPushButton::clicked, this, &QWidget::close);
    return commands;
}

} // namespace ui
