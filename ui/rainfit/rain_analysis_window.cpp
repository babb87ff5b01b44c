#include "ui/rainfit/rain_analysis_window.h"

#include "chart/rain_analysis_chart.h"
#include "look/colours.h"
#include "look/fonts.h"
#include "numbers/field_reading.h"
#include "numbers/number_format.h"
#include "report/rain_analysis_table.h"
#include "report/rain_analysis_text.h"
#include "ui/common/dialog_service.h"
#include "ui/common/file_export.h"
#include "ui/rainfit/rain_analysis_pdf.h"
#include "util/text.h"
#include "util/whole_file.h"

#include <algorithm>
#include <memory>

#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>

namespace ui {

namespace {

QString qText(const std::string& text) {
    return QString::fromStdString(text);
}

// A message of the layers below as a box says it: a sentence from its first letter.
QString sentence(const std::string& text) {
    QString message = qText(text);
    if (!message.isEmpty()) {
        message[0] = message[0].toUpper();
    }
    return message;
}

QTableWidgetItem* numberItem(const QString& text) {
    auto* item = new QTableWidgetItem(text);
    item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return item;
}

} // namespace

RainAnalysisWindow::RainAnalysisWindow(DialogService& dialogs, report::NumberStyle style,
                                       RainAnalysisHooks hooks, QWidget* parent)
    : QWidget(parent, Qt::Window), m_dialogs(dialogs), m_style(style), m_hooks(std::move(hooks)) {
    setWindowTitle(QStringLiteral("ZEB - Chuvas intensas a partir de uma série"));
    setObjectName(QStringLiteral("frmChuvasIntensas"));
    m_heading = new QLabel(QStringLiteral("Abra a série de chuvas diárias de um posto: a "
                                          "exportação do HidroWeb ou um CSV \"data,mm\"."),
                           this);
    m_heading->setObjectName(QStringLiteral("lblSerie"));
    m_heading->setFont(look::chartFont(14, true));
    m_heading->setWordWrap(true);

    QWidget* options = buildOptions();
    QWidget* years = buildYears();
    m_gumbel = new QLabel(this);
    m_gumbel->setObjectName(QStringLiteral("lblGumbel"));
    m_equation = new QLabel(this);
    m_equation->setObjectName(QStringLiteral("lblEquacao"));
    for (QLabel* figures : {m_gumbel, m_equation}) {
        figures->setWordWrap(true);
        figures->setTextInteractionFlags(Qt::TextSelectableByMouse);
    }
    QTabWidget* results = buildResults();
    QHBoxLayout* commands = buildCommands();
    m_resultCommands.push_back(m_analyse);

    arrangeParts(options, years, results, commands);
    resize(1360, 860);
    showOptions(m_options);
    for (QPushButton* command : m_resultCommands) {
        command->setEnabled(false);
    }
}

void RainAnalysisWindow::arrangeParts(QWidget* options, QWidget* years, QTabWidget* results,
                                      QHBoxLayout* commands) {
    auto* resultColumn = new QVBoxLayout;
    resultColumn->addWidget(m_equation);
    resultColumn->addWidget(m_gumbel);
    resultColumn->addWidget(results, 1);
    auto* parts = new QHBoxLayout;
    parts->addWidget(options);
    parts->addWidget(years);
    parts->addLayout(resultColumn, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_heading);
    layout->addLayout(parts, 1);
    layout->addLayout(commands);
}

// The children outlive this class's members: none may call back into it as the window goes.
RainAnalysisWindow::~RainAnalysisWindow() {
    for (QObject* child : findChildren<QObject*>()) {
        child->disconnect(this);
    }
}

void RainAnalysisWindow::showOptions(const rainfit::AnalysisOptions& options) {
    m_firstMonth->setCurrentIndex(options.years.firstMonth - 1);
    m_maxMissing->setText(qText(report::formatPlain(options.years.maxMissingPercent, m_style)));
    for (std::size_t row = 0; row < rainfit::kDurationCount; ++row) {
        m_ratios->item(static_cast<int>(row), 0)
            ->setText(qText(report::formatExact(options.ratios.rows[row].ratio, m_style)));
    }
}

std::optional<rainfit::AnalysisOptions> RainAnalysisWindow::typedOptions() {
    rainfit::AnalysisOptions options;
    options.years.firstMonth = m_firstMonth->currentIndex() + 1;
    const auto read = [this](const QString& text, const QString& name, double low,
                             double high) -> std::optional<double> {
        const report::TypedNumber number = report::readTypedNumber(text.toStdString(), m_style);
        if (number.whole && number.value && *number.value >= low && *number.value <= high) {
            return number.value;
        }
        m_dialogs.warning(this, QStringLiteral("%1: escreva um número de %2 a %3.")
                                    .arg(name, qText(report::formatPlain(low, m_style)),
                                         qText(report::formatPlain(high, m_style))));
        return std::nullopt;
    };
    const auto percent =
        read(m_maxMissing->text(), QStringLiteral("Máximo de dias em falta"), 0, 100);
    if (!percent) {
        return std::nullopt;
    }
    options.years.maxMissingPercent = *percent;
    for (std::size_t row = 0; row < rainfit::kDurationCount; ++row) {
        const int r = static_cast<int>(row);
        const QString name =
            QStringLiteral("Razão de %1").arg(m_ratios->verticalHeaderItem(r)->text());
        const auto ratio = read(m_ratios->item(r, 0)->text(), name, 0.001, 10);
        if (!ratio) {
            return std::nullopt;
        }
        options.ratios.rows[row].ratio = *ratio;
    }
    return options;
}

void RainAnalysisWindow::chooseSeries() {
    const std::optional<QString> path = m_dialogs.askOpenFileName(
        this, OpenFileRequest{QStringLiteral("Abrir série de chuvas diárias"),
                              {QStringLiteral("Série de chuvas (*.csv *.txt)"),
                               QStringLiteral("Todos os arquivos (*)")}});
    if (path) {
        openSeries(*path);
    }
}

bool RainAnalysisWindow::openSeries(const QString& path) {
    const QString fileName = QFileInfo(path).fileName();
    const std::optional<rainfit::AnalysisOptions> options = typedOptions();
    if (!options) {
        return false;
    }
    const util::Result<std::string> bytes =
        util::readWholeFile(localPath(path), "a série " + util::inQuotes(fileName.toStdString()),
                            rainfit::kMaxSeriesBytes);
    if (!bytes) {
        m_dialogs.warning(this, sentence(bytes.failure().message));
        return false;
    }
    return analyse(*bytes, fileName, *options);
}

void RainAnalysisWindow::analyseAgain() {
    if (const std::optional<rainfit::AnalysisOptions> options = typedOptions()) {
        // A refusal puts back the options the analysis shown was made with.
        if (!analyse(m_bytes, m_fileName, *options)) {
            showOptions(m_options);
        }
    }
}

bool RainAnalysisWindow::analyse(const std::string& bytes, const QString& fileName,
                                 const rainfit::AnalysisOptions& options) {
    util::Result<rainfit::RainAnalysis> analysed = rainfit::analyseDailyRainfall(bytes, options);
    if (!analysed) {
        m_dialogs.warning(this, sentence("a série " + util::inQuotes(fileName.toStdString()) +
                                         ", " + analysed.failure().message + "."));
        return false;
    }
    m_analysis = std::move(*analysed);
    m_bytes = bytes;
    m_fileName = fileName;
    m_options = options;
    showAnalysis();
    return true;
}

void RainAnalysisWindow::showAnalysis() {
    const rainfit::RainAnalysis& analysis = *m_analysis;
    m_heading->setText(headingText());
    m_equation->setText(qText(report::equationSection(analysis.fit, m_style)).trimmed());
    m_gumbel->setText(qText(report::gumbelSection(analysis.gumbel, m_style)).trimmed());
    // A fit the test rejects is said in the notes' colour.
    m_gumbel->setStyleSheet(analysis.gumbel.rejected()
                                ? QStringLiteral("color: %1;").arg(look::kNoteColour.name())
                                : QString());
    fillYears();
    fillPoints();
    const std::unique_ptr<QChart> previous(m_chart->chart());
    m_chart->setChart(chart::newIntensityChart(analysis, m_style).release());
    for (QPushButton* command : m_resultCommands) {
        command->setEnabled(true);
    }
}

QString RainAnalysisWindow::headingText() const {
    const rainfit::AnnualMaxima& maxima = m_analysis->maxima;
    QString text =
        m_analysis->stationCode.empty()
            ? m_fileName
            : QStringLiteral("Posto %1 (%2)").arg(qText(m_analysis->stationCode), m_fileName);
    return text + QStringLiteral(": %1 anos contados, de %2 a %3")
                      .arg(maxima.counted.size())
                      .arg(maxima.counted.front().year)
                      .arg(maxima.counted.back().year);
}

// The years in order, those left out in the notes' colour without a maximum.
void RainAnalysisWindow::fillYears() {
    const rainfit::AnnualMaxima& maxima = m_analysis->maxima;
    m_yearsSummary->setText(
        QStringLiteral("%1 anos contados; %2 deixados de fora por terem mais de %3 % dos dias "
                       "em falta.")
            .arg(maxima.counted.size())
            .arg(maxima.leftOut.size())
            .arg(qText(report::formatPlain(m_options.years.maxMissingPercent, m_style))));
    struct Row {
        int year;
        QString maximum;
        int missingDays;
    };
    std::vector<Row> rows;
    for (const rainfit::YearMaximum& year : maxima.counted) {
        rows.push_back(
            {year.year,
             qText(report::formatPattern(year.maxDailyMm, report::Pattern::Plain3, m_style)),
             year.missingDays});
    }
    for (const rainfit::YearLeftOut& year : maxima.leftOut) {
        rows.push_back({year.year, QString(), year.missingDays});
    }
    std::sort(rows.begin(), rows.end(), [](const Row& a, const Row& b) { return a.year < b.year; });
    m_years->setRowCount(static_cast<int>(rows.size()));
    for (std::size_t r = 0; r < rows.size(); ++r) {
        const bool counted = !rows[r].maximum.isEmpty();
        const QString texts[] = {QString::number(rows[r].year),
                                 counted ? rows[r].maximum : QStringLiteral("fora"),
                                 QString::number(rows[r].missingDays)};
        for (int column = 0; column < 3; ++column) {
            QTableWidgetItem* item = numberItem(texts[column]);
            item->setForeground(counted ? QBrush() : QBrush(look::kNoteColour));
            m_years->setItem(static_cast<int>(r), column, item);
        }
    }
}

void RainAnalysisWindow::fillPoints() {
    const std::vector<rainfit::IdfPoint>& points = m_analysis->points;
    m_points->setRowCount(static_cast<int>(points.size()));
    for (std::size_t i = 0; i < points.size(); ++i) {
        const rainfit::IdfPoint& point = points[i];
        const double values[] = {point.durationMin, point.returnPeriodYears, point.intensityMmH,
                                 point.fittedMmH};
        for (int column = 0; column < 4; ++column) {
            const std::string text =
                column < 2
                    ? report::formatPlain(values[column], m_style)
                    : report::formatPattern(values[column], report::Pattern::Plain3, m_style);
            m_points->setItem(static_cast<int>(i), column, numberItem(qText(text)));
        }
    }
}

void RainAnalysisWindow::useEquation() {
    if (m_analysis && m_hooks.useEquation) {
        m_hooks.useEquation(m_analysis->fit.equation);
    }
}

// The station's code is the gauge's where the file names it; its source says where the
// equation comes from: the gauge or the file, the period and the number of years.
void RainAnalysisWindow::saveAsStation() {
    if (!m_analysis || !m_hooks.saveAsStation) {
        return;
    }
    const rainfit::RainAnalysis& analysis = *m_analysis;
    const calc::IdfEquation& equation = analysis.fit.equation;
    refdata::StationRow station;
    const QString gauge = analysis.stationCode.empty()
                              ? QStringLiteral("arquivo ") + m_fileName
                              : QStringLiteral("posto ") + qText(analysis.stationCode);
    if (!analysis.stationCode.empty()) {
        station.code = analysis.stationCode;
    }
    station.idf = {equation.k, equation.m, equation.t0Min, equation.n};
    station.idfSource = QStringLiteral("ajustada à série diária do %1, %2 a %3 (%4 anos)")
                            .arg(gauge)
                            .arg(analysis.maxima.counted.front().year)
                            .arg(analysis.maxima.counted.back().year)
                            .arg(analysis.maxima.counted.size())
                            .toStdString();
    m_hooks.saveAsStation(station);
}

void RainAnalysisWindow::exportCsv() {
    const auto request = SaveFileRequest::ofKind(
        QStringLiteral("Exportar análise"), QStringLiteral("Arquivo CSV (*.csv)"),
        QStringLiteral("csv"), QStringLiteral("Chuvas intensas.csv"));
    if (const std::optional<QString> path = m_dialogs.askSaveFileName(this, request)) {
        writeExportedFile(
            this, m_dialogs, *path,
            report::rainAnalysisCsv(*m_analysis, report::CsvStyle::forNumberStyle(m_style)));
    }
}

void RainAnalysisWindow::exportPdf() {
    const auto request = SaveFileRequest::ofKind(
        QStringLiteral("Exportar análise"), QStringLiteral("Documento PDF (*.pdf)"),
        QStringLiteral("pdf"), QStringLiteral("Chuvas intensas.pdf"));
    if (const std::optional<QString> path = m_dialogs.askSaveFileName(this, request)) {
        const QByteArray bytes =
            rainAnalysisPdf(*m_analysis, m_options.years, headingText(), m_style);
        writeExportedFile(
            this, m_dialogs, *path,
            std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
    }
}

} // namespace ui
