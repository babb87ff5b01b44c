// The rain analysis window's controls: the options (first month, missing days, the ratios
// between durations), the years, the results in tabs and the commands, made in the order the
// Tab key visits them.

#include "ui/rainfit/rain_analysis_window.h"

#include "look/fonts.h"
#include "report/rain_analysis_text.h"
#include "ui/common/widget_building.h"

#include <QChartView>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>

namespace ui {

namespace {

// Rows as high as a line of text, all of the same height.
void compactRows(QTableWidget* table) {
    table->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    table->verticalHeader()->setDefaultSectionSize(table->fontMetrics().height() + 6);
}

// A table the user reads, not edits, its columns sharing the width.
QTableWidget* newTable(QWidget* parent, const char* name, const QStringList& headings) {
    auto* table = new QTableWidget(0, static_cast<int>(headings.size()), parent);
    table->setObjectName(QString::fromLatin1(name));
    table->setHorizontalHeaderLabels(headings);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    table->horizontalHeader()->setStretchLastSection(true);
    table->verticalHeader()->setVisible(false);
    compactRows(table);
    return table;
}

// "5 min", "1 h", "24 h"; "1 dia" for the one-day total, which the ratios start from.
QString durationText(int minutes) {
    if (minutes == 0) {
        return QStringLiteral("1 dia");
    }
    return minutes < 60 ? QStringLiteral("%1 min").arg(minutes)
                        : QStringLiteral("%1 h").arg(minutes / 60);
}

// The ratio table: a row per duration, the ratio typed beside the duration it applies to.
QTableWidget* newRatiosTable(QWidget* parent) {
    auto* table = new QTableWidget(static_cast<int>(rainfit::kDurationCount), 2, parent);
    table->setObjectName(QStringLiteral("grdRazoes"));
    table->setHorizontalHeaderLabels({QStringLiteral("Razão"), QStringLiteral("da chuva de")});
    table->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    compactRows(table);
    table->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    table->setFixedHeight(table->horizontalHeader()->sizeHint().height() +
                          table->verticalHeader()->defaultSectionSize() *
                              static_cast<int>(rainfit::kDurationCount) +
                          2 * table->frameWidth());
    const rainfit::DurationRatios ratios = rainfit::cetesbRatios();
    for (std::size_t row = 0; row < rainfit::kDurationCount; ++row) {
        const int r = static_cast<int>(row);
        table->setVerticalHeaderItem(
            r, new QTableWidgetItem(durationText(rainfit::kDurationsMin[row])));
        auto* from = new QTableWidgetItem(durationText(ratios.rows[row].fromMin));
        from->setFlags(Qt::ItemIsEnabled);
        table->setItem(r, 0, new QTableWidgetItem);
        table->setItem(r, 1, from);
    }
    return table;
}

} // namespace

QWidget* RainAnalysisWindow::buildOptions() {
    auto* box = new QWidget(this);
    auto* column = new QVBoxLayout(box);
    column->setContentsMargins(0, 0, 0, 0);
    auto* open = new QPushButton(QStringLiteral("&Abrir série…"), box);
    open->setObjectName(QStringLiteral("cmdAbrirSerie"));
    connect(open, &QPushButton::clicked, this, &RainAnalysisWindow::chooseSeries);
    column->addWidget(open);

    m_firstMonth = new QComboBox(box);
    m_firstMonth->setObjectName(QStringLiteral("cboPrimeiroMes"));
    for (int month = 1; month <= 12; ++month) {
        const std::string_view name = report::monthName(month);
        m_firstMonth->addItem(QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size())));
    }
    m_maxMissing = new QLineEdit(box);
    m_maxMissing->setObjectName(QStringLiteral("txtFaltaMaxima"));
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Primeiro &mês do ano:"), m_firstMonth);
    form->addRow(QStringLiteral("Má&ximo de dias em falta (%):"), m_maxMissing);
    column->addLayout(form);

    m_ratios = newRatiosTable(box);
    auto* ratiosLabel = new QLabel(QStringLiteral("&Razões entre durações:"), box);
    ratiosLabel->setBuddy(m_ratios);
    column->addWidget(ratiosLabel);
    column->addWidget(m_ratios);
    m_analyse = new QPushButton(QStringLiteral("A&nalisar de novo"), box);
    m_analyse->setObjectName(QStringLiteral("cmdAnalisar"));
    m_analyse->setToolTip(QStringLiteral("Analisa a série aberta com as opções acima."));
    connect(m_analyse, &QPushButton::clicked, this, &RainAnalysisWindow::analyseAgain);
    column->addWidget(m_analyse);
    column->addStretch();
    return box;
}

QWidget* RainAnalysisWindow::buildYears() {
    auto* box = new QWidget(this);
    auto* column = new QVBoxLayout(box);
    column->setContentsMargins(0, 0, 0, 0);
    m_yearsSummary = new QLabel(box);
    m_yearsSummary->setObjectName(QStringLiteral("lblAnos"));
    m_yearsSummary->setWordWrap(true);
    m_years = newTable(
        box, "grdAnos",
        {QStringLiteral("Ano"), QStringLiteral("Máxima (mm)"), QStringLiteral("Dias em falta")});
    column->addWidget(m_yearsSummary);
    column->addWidget(m_years, 1);
    box->setMinimumWidth(290);
    return box;
}

QTabWidget* RainAnalysisWindow::buildResults() {
    auto* tabs = new QTabWidget(this);
    m_chart = new QChartView(tabs);
    m_chart->setRenderHint(QPainter::Antialiasing);
    m_chart->setMinimumSize(560, 380);
    m_points =
        newTable(tabs, "grdPontos",
                 {QStringLiteral("Duração (min)"), QStringLiteral("TR (anos)"),
                  QStringLiteral("i dos dados (mm/h)"), QStringLiteral("i da equação (mm/h)")});
    tabs->addTab(m_chart, QStringLiteral("&Gráfico"));
    tabs->addTab(m_points, QStringLiteral("&Intensidades (72 pontos)"));
    return tabs;
}

QHBoxLayout* RainAnalysisWindow::buildCommands() {
    auto* commands = new QHBoxLayout;
    commands->addStretch();
    const std::pair<const char*, QString> names[] = {
        {"cmdUsarEquacao", QStringLiteral("&Usar na janela principal")},
        {"cmdSalvarPosto", QStringLiteral("Salvar como &posto…")},
        {"cmdExportarCSV", QStringLiteral("Exportar &CSV...")},
        {"cmdExportarPDF", QStringLiteral("Exportar P&DF...")}};
    void (RainAnalysisWindow::*const handlers[])() = {
        &RainAnalysisWindow::useEquation, &RainAnalysisWindow::saveAsStation,
        &RainAnalysisWindow::exportCsv, &RainAnalysisWindow::exportPdf};
    for (std::size_t i = 0; i < std::size(names); ++i) {
        QPushButton* button = addButton(commands, this, names[i].first, names[i].second);
        connect(button, &QPushButton::clicked, this, handlers[i]);
        m_resultCommands.push_back(button);
    }
    connect(addButton(commands, this, "cmdFechar", QStringLiteral("&Fechar")),
            &QPushButton::clicked, this, &QWidget::close);
    return commands;
}

} // namespace ui
