#pragma once

#include "calc/record.h"
#include "calc/run_request.h"
#include "chart/hydrograph_chart.h"
#include "refdata/reference_database.h"
#include "report/field_reading.h"
#include "report/number_style.h"
#include "report/report_lines.h"
#include "report/study_file.h"

#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include <QMainWindow>
#include <QPointer>

class QAction;
class QCloseEvent;
class QKeyEvent;
class QComboBox;
class QLabel;
class QDateTime;
class QLineEdit;
class QPrinter;

namespace Ui {
class frmZEB;
}

namespace ui {

class DialogService;
class HydrographWindow;
class ResultsView;
class StationsWindow;
class StudyWindow;

// Opens the reference database, or says why it cannot.
using DatabaseOpener =
    std::function<refdata::Result<std::unique_ptr<refdata::ReferenceDatabase>>()>;

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
// answer; the computation, the number texts and the data live in the layers below.
class frmZEB : public QMainWindow {
    Q_OBJECT
public:
    explicit frmZEB(MainWindowServices services, QWidget* parent = nullptr);
    ~frmZEB() override;

    // Fills the lists, selects "Automática" and sets up the grid. When the database cannot be
    // opened or read, its message is shown and false comes back: the window must not be shown.
    bool Form_Load();

    // The last run's results, with the length, drop and tc it was computed with.
    const calc::CalculationRecord& record() const { return m_record; }
    // The row of the last station lookup, none before the first or after a failed one.
    const std::optional<refdata::StationRecord>& currentStation() const { return m_currentStation; }

    // Opens a study file into the form, after asking about unsaved changes, and calculates
    // when its inputs are complete. False when the file was refused or the user cancelled.
    bool openStudy(const QString& path);
    // The form's inputs as a study file keeps them: numbers as the fields read now.
    report::StudyInputs studyInputs() const;
    // Reopens the database after its stations changed and refills the station lists. The code
    // shown stays chosen, and is looked up again, where it still exists; otherwise no station
    // is chosen, as at load. A database that fails to open is reported and the old one kept.
    void reloadStations();

protected:
    void changeEvent(QEvent* event) override;
    // With unsaved changes, closing asks first and may be cancelled.
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void connectHandlers();
    void fixWindowSize();

    // Commands and menu.
    void cmdCalcular_Click();
    // The run of the fields as they stand, or its refusal shown. True when it succeeded.
    bool calculate();
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
    void mnuGrafico_Click();
    void mnuEstudo_Click();
    void mnuExportarPDF_Click();
    void mnuExportarCSV_Click();
    void mnuPostos_Click();
    chart::HydrographCaption chartCaption() const;
    void fillResultsGrid(const calc::CalculationRecord& record);
    std::vector<report::ReportLine> composeReport() const;

    // Station and soil selection.
    void cboPosto_Click();
    void cboCodigo_Click();
    void cboZona_Click();
    void cboTerreno_Click();

    // Input fields.
    void Option1_Click();
    void Option2_Click();
    void txtComprimento_Change();
    void txtDesnivel_Change();
    void txtArea_LostFocus();
    void txtComprimento_LostFocus();
    void txtDesnivel_LostFocus();

    void updateOptionTabStops();
    // K, a, b and c: typed in "Própria"; in "Automática" the boxes show those of the last run
    // and the typed texts wait here.
    std::array<QLineEdit*, 4> ownFields() const;
    QString ownText(std::size_t index) const;
    void setOwnText(std::size_t index, const QString& text);
    void showConstantsUsed();
    // The length and drop as typed, and tc when both read and it is defined.
    struct ConcentrationTime {
        report::TypedNumber length;
        report::TypedNumber drop;
        std::optional<double> hours;
    };
    ConcentrationTime attemptConcentrationTime() const;
    void updateConcentrationTime(const QLineEdit* other);
    // On leaving the length or drop, with both filled: a value that leaves tc undefined is
    // refused with a message and the field at fault keeps the focus. True when refused.
    void lengthOrDropLeft(QLineEdit* field);
    bool refuseUndefinedTime(QLineEdit* left);
    void formatOnLeaving(QLineEdit* field);
    // The first required field of the mode that is empty, in the window's order; none.
    QWidget* firstEmptyRequiredField() const;
    // Why the fields give no run: the field to correct and the message that says how.
    struct RequestRefusal {
        QWidget* field;
        QString message;
    };
    // The run the fields ask for, or why they give none, without showing anything.
    std::variant<calc::RunRequest, RequestRefusal> readRequest() const;
    void showRefusal(const RequestRefusal& refusal);
    // A field whose number reads two ways is not read: a message says how to write it and the
    // field keeps its text and takes the focus. True when one was refused.
    bool refuseAmbiguousNumber(bool everyField = false);
    bool refuseAmbiguous(QLineEdit* field, const QLabel* label);
    std::optional<RequestRefusal> firstAmbiguousNumber(bool everyField) const;
    std::optional<RequestRefusal> ambiguity(const QString& text, QWidget* field,
                                            const QLabel* label) const;
    report::TypedNumber readTyped(const QLineEdit* field) const;
    double readField(const QLineEdit* field) const;
    QString formatPlain(double value) const;
    void selectStationCode(const std::string& codigo);
    void fillStationLists(const std::vector<refdata::StationListItem>& stations);
    void showDatabaseMessage(const std::string& message);
    void setLandClasses(const std::vector<std::string>& landClasses);

    // Study files: the "Es&tudo" menu, the title and the unsaved-changes question.
    void connectStudyMenu();
    void mnuNovo_Click();
    void mnuAbrir_Click();
    bool mnuSalvar_Click();
    bool mnuSalvarComo_Click();
    void openRecentStudy(const QString& path);
    bool saveStudyTo(const QString& path);
    // True when there is nothing unsaved, or the user saved or discarded it.
    bool settleUnsavedChanges();
    void studyOpenedOrSaved(const QString& path);
    void showStudyTitle();
    void fillRecentMenu();
    // The form as a study fills it, or emptied as after loading.
    void fillForm(const report::StudyInputs& study);
    void clearForm();
    void selectStudyStation(const report::StudyStation& station);
    // In cboPosto_Click: the study's copy of its station, when that item is chosen.
    bool chooseStudyStation();
    void dropStudyStation();

    std::unique_ptr<Ui::frmZEB> m_ui;
    MainWindowServices m_services;
    std::unique_ptr<refdata::ReferenceDatabase> m_database;
    // The codes as listed, to select one by its text without searching the list widget.
    std::vector<std::string> m_stationCodes;
    std::optional<refdata::StationRecord> m_currentStation;
    // The last run's results; the length, drop and tc the fields give now, as last computed.
    calc::CalculationRecord m_record;
    struct TypedBasin {
        std::optional<double> channelLengthKm = 0.0;
        std::optional<double> elevationDropM = 0.0;
        double concentrationTimeH = 0;
    } m_typed;
    std::unique_ptr<ResultsView> m_results;
    std::array<QString, 4> m_ownTexts;
    QSize m_fixedSize;
    bool m_refusing = false;
    // The one chart window, made on the first "&Gráfico" and closed with this window.
    QPointer<HydrographWindow> m_chartWindow;
    // The inputs of the last successful run, which the one study window follows; none while
    // there are no results.
    std::optional<calc::RunRequest> m_lastRequest;
    QPointer<StudyWindow> m_studyWindow;
    // The study file open, none when empty, and its inputs as last opened or saved.
    QString m_studyPath;
    report::StudyInputs m_savedStudy;
    // The study's copy of a station the database lacks or holds with other constants, listed
    // last in the code and name lists while the study is open.
    std::optional<refdata::StationRecord> m_studyStation;
    int m_studyStationIndex = -1;
    QList<QAction*> m_recentActions;
    QPointer<StationsWindow> m_stationsWindow;
};

} // namespace ui
