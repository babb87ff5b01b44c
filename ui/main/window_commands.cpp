// The main window's commands on its results (print, export, the PDF and CSV files, the chart
// and study windows), the "Postos" window and the rain analysis window.

#include "ui/main/frmzeb.h"

#include "ui_frmzeb.h"

#include "refdata/user_stations.h"
#include "report/report_file.h"
#include "ui/about/about.h"
#include "ui/chart/hydrograph_window.h"
#include "ui/common/dialog_service.h"
#include "ui/common/file_export.h"
#include "ui/common/report_printing.h"
#include "ui/main/basin_form.h"
#include "ui/main/result_exports.h"
#include "ui/main/results_view.h"
#include "ui/rainfit/rain_analysis_window.h"
#include "ui/stations/stations_window.h"
#include "ui/study/study_window.h"

#include <QDateTime>
#include <QLocale>
#include <QPrinter>

namespace ui {

// The report of the record as it stands, with the river and station texts now shown and the
// time of the command.
std::vector<report::ReportLine> frmZEB::composeReport() const {
    const QDateTime now = m_services.clock ? m_services.clock() : QDateTime::currentDateTime();
    const QString dateTime = QLocale::c().toString(now, QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    // Line 5 names where the run's constants came from: the station chosen, or the equation
    // typed in "Equação IDF" when it is not the chosen station's.
    const calc::EquationMode mode =
        m_lastRequest ? m_lastRequest->mode : calc::EquationMode::Automatic;
    const std::optional<calc::Station>& chosen = currentStation();
    const calc::StationIdfEquation* stationIdf = chosen ? chosen->idf() : nullptr;
    const bool idfOfStation =
        stationIdf && m_lastRequest && stationIdf->equation == m_lastRequest->idfEquation;
    const QString station = mode == calc::EquationMode::Idf && !idfOfStation
                                ? QString()
                                : m_ui->cboPosto->currentText();
    return report::composeReportLines(m_record, mode, m_ui->txtRio->text().toStdString(),
                                      station.toStdString(), dateTime.toStdString(),
                                      m_services.numberStyle);
}

void frmZEB::cmdImprimir_Click() {
    if (!resultsUpToDate()) {
        return;
    }
    std::unique_ptr<QPrinter> printer =
        m_services.printer ? m_services.printer() : defaultSystemPrinter();
    if (!printer) {
        m_services.dialogs->warning(
            this, QStringLiteral("Não há impressora instalada: o relatório não foi impresso."));
        return;
    }
    if (const std::optional<QString> failure = printReport(*printer, composeReport())) {
        const QString name = printer->printerName().isEmpty()
                                 ? QString()
                                 : QStringLiteral(" \"%1\"").arg(printer->printerName());
        m_services.dialogs->warning(
            this, QStringLiteral("O relatório não foi impresso na impressora%1: %2.")
                      .arg(name, *failure));
    }
}

void frmZEB::cmdExportar_Click() {
    if (!resultsUpToDate()) {
        return;
    }
    SaveFileRequest request;
    request.title = QStringLiteral("Exportar Arquivo");
    request.nameFilters = {QStringLiteral("All Files (*.*)"), QStringLiteral("Text Files(*.txt)")};
    request.selectedFilter = 1;
    request.defaultSuffix = QStringLiteral("txt");
    request.proposedName = m_ui->txtRio->text();
    request.confirmOverwrite = true;
    request.readOnlyOption = false;
    const std::optional<QString> path = m_services.dialogs->askSaveFileName(this, request);
    if (!path) {
        return;
    }
    writeExportedFile(this, *m_services.dialogs, *path, report::reportFileBytes(composeReport()));
}

void frmZEB::mnuSobre_Click() {
    showAboutBox(*m_services.dialogs);
}

// ---- Results menu: the chart and the PDF and CSV exports ---------------------------------

// The chart names the river now shown and numbers as the window writes them.
chart::HydrographCaption frmZEB::chartCaption() const {
    return chart::HydrographCaption{m_ui->txtRio->text(), m_services.numberStyle};
}

namespace {

// The one window of its kind, made on first use, brought to the front.
void bringForward(QWidget* window) {
    window->show();
    window->raise();
    window->activateWindow();
}

} // namespace

void frmZEB::showChart() {
    if (!m_chartWindow) {
        m_chartWindow = new HydrographWindow(
            *m_services.dialogs, [this] { return resultsUpToDate(); }, this);
        m_chartWindow->showRecord(m_record, chartCaption());
        m_chartWindow->setOutOfDate(m_results->isOutOfDate());
    }
    bringForward(m_chartWindow);
}

void frmZEB::showStudyWindow() {
    if (!m_studyWindow) {
        m_studyWindow = new StudyWindow(
            *m_services.dialogs, [this] { return resultsUpToDate(); }, this);
        if (m_lastRequest) {
            m_studyWindow->showInputs(*m_lastRequest, chartCaption());
        }
        m_studyWindow->setOutOfDate(m_results->isOutOfDate());
    }
    bringForward(m_studyWindow);
}

void frmZEB::exportPdf() {
    if (!resultsUpToDate()) {
        return;
    }
    exportReportPdf(this, *m_services.dialogs, composeReport(), m_record, chartCaption());
}

void frmZEB::exportCsv() {
    if (!resultsUpToDate()) {
        return;
    }
    // Separators as the user's spreadsheet reads them.
    exportSeriesCsv(this, *m_services.dialogs, m_record, m_ui->txtRio->text(),
                    report::CsvStyle::forNumberStyle(m_services.numberStyle));
}

void frmZEB::showStations() {
    if (!m_stationsWindow) {
        StationsSource source;
        source.userDatabase = refdata::userDatabasePath();
        source.databaseInUse = [this] { return m_databasePath; };
        source.releaseDatabase = [this] { releaseDatabase(); };
        source.changed = [this] { reloadStations(); };
        source.fitFromSeries = [this] { showRainAnalysis(); };
        m_stationsWindow = new StationsWindow(*m_services.dialogs, m_services.numberStyle,
                                              std::move(source), this);
    } else {
        // Another program may have changed the file since the window was last shown.
        m_stationsWindow->refresh();
    }
    bringForward(m_stationsWindow);
}

void frmZEB::showRainAnalysis() {
    if (!m_rainAnalysisWindow) {
        RainAnalysisHooks hooks;
        hooks.useEquation = [this](const calc::IdfEquation& equation) {
            m_basin->showIdfEquation(equation);
            bringForward(this);
        };
        hooks.saveAsStation = [this](const refdata::StationRow& station) {
            showStations();
            m_stationsWindow->proposeStation(station);
        };
        m_rainAnalysisWindow = new RainAnalysisWindow(*m_services.dialogs, m_services.numberStyle,
                                                      std::move(hooks), this);
    }
    bringForward(m_rainAnalysisWindow);
}

} // namespace ui
