#pragma once

#include "calc/record.h"
#include "calc/run_request.h"
#include "chart/hydrograph_chart.h"
#include "numbers/number_style.h"
#include "refdata/reference_database.h"
#include "report/report_lines.h"
#include "report/study_file.h"

#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include <QMainWindow>
#include <QPointer>

class QCloseEvent;
class QKeyEvent;
class QDateTime;
class QPrinter;

namespace Ui {
class frmZEB;
}

namespace ui {

class BasinForm;
class DialogService;
class HydrographWindow;
class RainAnalysisWindow;
class ResultsView;
class StationPicker;
class StationsWindow;
class StudyDocument;
class StudyWindow;

// Opens the reference database, or says why it cannot.
using DatabaseOpener = std::function<util::Result<std::unique_ptr<refdata::ReferenceDatabase>>()>;

// The printer a printout goes to; none when there is no printer.
using PrinterSource = std::function<std::unique_ptr<QPrinter>()>;

// What the main window takes from outside: its data, its dialogs, its regional settings, its
// clock and its printer.
struct MainWindowServices {
    DatabaseOpener openDatabase;
    DialogService* dialogs = nullptr;
    // The separators every numeric field is written and read with: the system's in the
    // program, a chosen locale's in tests.
    report::NumberStyle numberStyle;
    // The local date and time a report is dated with; the system clock when not set.
    std::function<QDateTime()> clock;
    // The system's default printer when not set.
    PrinterSource printer;
};

// The program's working window: the input fields, the station and soil lists, the results
// grid and the commands. The handlers carry the names of the controls and events they
// answer and hand the work to the window's parts: the station picker, the basin form, the
// study document and the results view; the computation, the number texts and the data live
// in the layers below.
class frmZEB : public QMainWindow {
    Q_OBJECT
public:
    explicit frmZEB(MainWindowServices services, QWidget* parent = nullptr);
    ~frmZEB() override;

    // Fills the lists, selects "Automática" and sets up the grid. When the database cannot be
    // opened or read, its message is shown and false comes back: the window must not be shown.
    bool Form_Load();

    // The last run's results.
    const calc::CalculationRecord& record() const { return m_record; }
    // The row of the last station lookup, none before the first or after a failed one.
    const std::optional<calc::Station>& currentStation() const;

    // Opens a study file into the form, after asking about unsaved changes, and calculates
    // when its inputs are complete. False when the file was refused or the user cancelled.
    bool openStudy(const QString& path);
    // The form's inputs as a study file keeps them: numbers as the fields read now.
    report::StudyInputs studyInputs() const;
    // Reopens the database after its stations changed and refills the station lists. The code
    // shown stays chosen, and is looked up again, where it still exists; otherwise no station
    // is chosen, as at load. A database that fails to open is reported and the old one kept.
    void reloadStations();
    // The database the window reads, opened again when it was let go (a box says why when it
    // cannot be); and letting it go, so that a change of the user's stations can replace the
    // file, which Windows refuses while a program holds it open.
    refdata::ReferenceDatabase* openedDatabase();
    void releaseDatabase();

protected:
    void changeEvent(QEvent* event) override;
    // With unsaved changes, closing asks first and may be cancelled.
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void connectHandlers();
    void connectInputs();
    void connectEquationModes();
    // The database opened and its stations and land classes listed; false, with its message
    // shown, when it cannot be.
    bool loadDatabase();
    // The zones and the durations, which do not come from the database.
    void fillFixedLists();
    void fixWindowSize();

    // Commands and menu.
    void cmdCalcular_Click();
    // The run of the fields as they stand, or its refusal shown. True when it succeeded.
    bool calculate();
    // The run's results shown in this window and in the chart and study windows when open.
    void showRun(const calc::RunRequest& request, const calc::CalculationRecord& record);
    // True when the results shown belong to the inputs shown, calculating them first when they
    // do not; false, with the reason shown, when the inputs cannot be calculated.
    bool resultsUpToDate();
    // The results belong to the inputs when the request the fields give equals the one run.
    bool resultsMatchInputs() const;
    // After any input changed: the unsaved mark, and the results marked out of date.
    void inputsChanged();
    void cmdSair_Click();
    void cmdImprimir_Click();
    void cmdExportar_Click();
    void mnuSobre_Click();
    void showChart();
    void showStudyWindow();
    void exportPdf();
    void exportCsv();
    void showStations();
    // "Chuvas intensas a partir de uma série": its equation comes back to "Equação IDF".
    void showRainAnalysis();
    chart::HydrographCaption chartCaption() const;
    void fillResultsGrid(const calc::CalculationRecord& record);
    std::vector<report::ReportLine> composeReport() const;
    bool lastRunAutomatic() const;

    // Station and soil selection.
    void cboPosto_Click();
    void cboCodigo_Click();
    void followStationEquation();
    void cboZona_Click();
    void cboTerreno_Click();

    // Input fields.
    void Option1_Click();
    void Option2_Click();
    void Option3_Click();
    void txtComprimento_Change();
    void txtDesnivel_Change();
    void txtArea_LostFocus();
    void txtComprimento_LostFocus();
    void txtDesnivel_LostFocus();

    // Study files: the "Es&tudo" menu and the form a study fills.
    void connectStudyMenu();
    void newStudy();
    void openStudyFile();
    bool saveStudy();
    bool saveStudyAs();
    void openRecentStudy(const QString& path);
    bool saveStudyTo(const QString& path);
    // The form as a study fills it, or emptied as after loading.
    void fillForm(const report::StudyInputs& study);
    void clearForm();
    void clearResults();

    std::unique_ptr<Ui::frmZEB> m_ui;
    MainWindowServices m_services;
    std::unique_ptr<refdata::ReferenceDatabase> m_database;
    std::filesystem::path m_databasePath; // kept while the database is let go
    std::unique_ptr<StationPicker> m_stations;
    std::unique_ptr<BasinForm> m_basin;
    std::unique_ptr<StudyDocument> m_document;
    std::unique_ptr<ResultsView> m_results;
    // The last run's results.
    calc::CalculationRecord m_record;
    QSize m_fixedSize;
    // The one chart window, made on the first "&Gráfico" and closed with this window.
    QPointer<HydrographWindow> m_chartWindow;
    // The inputs of the last successful run, which the one study window follows; none while
    // there are no results.
    std::optional<calc::RunRequest> m_lastRequest;
    QPointer<StudyWindow> m_studyWindow;
    QPointer<StationsWindow> m_stationsWindow;
    QPointer<RainAnalysisWindow> m_rainAnalysisWindow;
};

} // namespace ui
