#include "ui/main/frmzeb.h"

#include "ui_frmzeb.h"

#include "calc/concentration.h"
#include "calc/durations.h"
#include "calc/run_request.h"
#include "chart/fonts.h"
#include "refdata/user_stations.h"
#include "report/field_reading.h"
#include "report/number_format.h"
#include "report/report_file.h"
#include "report/results_grid.h"
#include "ui/chart/hydrograph_window.h"
#include "ui/common/dialog_service.h"
#include "ui/common/file_export.h"
#include "ui/common/report_printing.h"
#include "ui/common/resources.h"
#include "ui/main/result_exports.h"
#include "ui/main/results_view.h"
#include "ui/shell/about.h"
#include "ui/stations/stations_window.h"
#include "ui/study/study_window.h"

#include <algorithm>
#include <variant>

#include <QApplication>
#include <QClipboard>
#include <QDateTime>
#include <QEvent>
#include <QKeyEvent>
#include <QLocale>
#include <QMenuBar>
#include <QPrinter>
#include <QShortcut>
#include <QSignalBlocker>
#include <QTableWidget>

namespace ui {

namespace {

// The layout measures in twips; 15 of them make a pixel at 96 dots per inch.
constexpr int kTwipsPerPixel = 15;
constexpr int kClientWidthPx = 8850 / kTwipsPerPixel;
constexpr int kClientHeightPx = 7845 / kTwipsPerPixel;
// Under the grid, where the notes on the run's limits and the out-of-date line stand.
const QRect kNotesPlace(5520 / kTwipsPerPixel, 5330 / kTwipsPerPixel, 3300 / kTwipsPerPixel,
                        510 / kTwipsPerPixel);

} // namespace

frmZEB::frmZEB(MainWindowServices services, QWidget* parent)
    : QMainWindow(parent), m_ui(std::make_unique<Ui::frmZEB>()), m_services(std::move(services)) {
    initResources();
    m_ui->setupUi(this);
    setFont(chart::controlFont());
    m_ui->lblNorbaltica->setFont(chart::titleFont());
    auto* notes = new QLabel(m_ui->centralwidget);
    notes->setObjectName(QStringLiteral("lblAvisos"));
    notes->setGeometry(kNotesPlace);
    m_results = std::make_unique<ResultsView>(m_ui->grdVazoes, notes, m_services.numberStyle);
    // The grid's copy command copies the whole table, headings included.
    auto* copy =
        new QShortcut(QKeySequence::Copy, m_ui->grdVazoes, nullptr, nullptr, Qt::WidgetShortcut);
    connect(copy, &QShortcut::activated, this,
            [this] { QApplication::clipboard()->setText(m_results->tableText()); });
    // The display-only fields stay disabled, but in the normal text colour: the disabled grey
    // on grey reads at about 1.6:1. K, a, b and c show the constants used in "Automática".
    for (QLineEdit* display :
         {m_ui->txtEstado, m_ui->txtconcentracao, m_ui->txtK, m_ui->txta, m_ui->txtb, m_ui->txtc}) {
        QPalette palette = display->palette();
        palette.setColor(QPalette::Disabled, QPalette::Text,
                         palette.color(QPalette::Active, QPalette::Text));
        display->setPalette(palette);
    }
    fixWindowSize();
    connectHandlers();
}

frmZEB::~frmZEB() = default;

// The client area has the layout's size and the user cannot drag the border. Maximizing
// enlarges only the frame: there is no layout, so every control keeps its place.
void frmZEB::fixWindowSize() {
    m_ui->centralwidget->setMinimumSize(kClientWidthPx, kClientHeightPx);
    m_fixedSize = QSize(kClientWidthPx, kClientHeightPx + menuBar()->sizeHint().height());
    setFixedSize(m_fixedSize);
}

void frmZEB::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange) {
        if (isMaximized()) {
            setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
        } else if (!isMinimized() && !isFullScreen()) {
            setFixedSize(m_fixedSize);
        }
    }
}

void frmZEB::connectHandlers() {
    auto& u = *m_ui;
    connect(u.cmdCalcular, &QPushButton::clicked, this, &frmZEB::cmdCalcular_Click);
    connect(u.cmdSair, &QPushButton::clicked, this, &frmZEB::cmdSair_Click);
    connect(u.cmdImprimir, &QPushButton::clicked, this, &frmZEB::cmdImprimir_Click);
    connect(u.cmdExportar, &QPushButton::clicked, this, &frmZEB::cmdExportar_Click);
    connect(u.mnuSobre, &QAction::triggered, this, &frmZEB::mnuSobre_Click);
    connect(u.mnuGrafico, &QAction::triggered, this, &frmZEB::mnuGrafico_Click);
    connect(u.mnuEstudo, &QAction::triggered, this, &frmZEB::mnuEstudo_Click);
    connect(u.mnuExportarPDF, &QAction::triggered, this, &frmZEB::mnuExportarPDF_Click);
    connect(u.mnuExportarCSV, &QAction::triggered, this, &frmZEB::mnuExportarCSV_Click);
    connect(u.mnuPostos, &QAction::triggered, this, &frmZEB::mnuPostos_Click);

    // A selection made by the program runs these just as the user's does, and only on a
    // real change; the lists are filled with their signals blocked.
    connect(u.cboPosto, &QComboBox::currentIndexChanged, this, &frmZEB::cboPosto_Click);
    connect(u.cboCodigo, &QComboBox::currentIndexChanged, this, &frmZEB::cboCodigo_Click);
    connect(u.cboZona, &QComboBox::currentIndexChanged, this, &frmZEB::cboZona_Click);
    connect(u.cboTerreno, &QComboBox::currentIndexChanged, this, &frmZEB::cboTerreno_Click);

    connect(u.Option1, &QRadioButton::toggled, this, [this](bool selected) {
        updateOptionTabStops();
        if (selected) {
            Option1_Click();
        }
    });
    connect(u.Option2, &QRadioButton::toggled, this, [this](bool selected) {
        updateOptionTabStops();
        if (selected) {
            Option2_Click();
        }
    });

    // textChanged also runs for texts set by the program, nested, and never for the same text.
    connect(u.txtComprimento, &QLineEdit::textChanged, this, &frmZEB::txtComprimento_Change);
    connect(u.txtDesnivel, &QLineEdit::textChanged, this, &frmZEB::txtDesnivel_Change);
    connect(u.txtArea, &FieldEdit::focusLost, this, &frmZEB::txtArea_LostFocus);
    connect(u.txtComprimento, &FieldEdit::focusLost, this, &frmZEB::txtComprimento_LostFocus);
    connect(u.txtDesnivel, &FieldEdit::focusLost, this, &frmZEB::txtDesnivel_LostFocus);
    connectStudyMenu();
}

bool frmZEB::Form_Load() {
    auto& u = *m_ui;
    u.Option1->setChecked(true);

    auto opened = m_services.openDatabase();
    if (const auto* error = std::get_if<refdata::DatabaseError>(&opened)) {
        showDatabaseMessage(error->message);
        return false;
    }
    m_database = std::move(std::get<std::unique_ptr<refdata::ReferenceDatabase>>(opened));
    const auto failed = [this](const auto& read) {
        const auto* error = std::get_if<refdata::DatabaseError>(&read);
        if (error) {
            m_database.reset();
            showDatabaseMessage(error->message);
        }
        return error != nullptr;
    };
    const auto stationsRead = m_database->allStations();
    if (failed(stationsRead)) {
        return false;
    }
    const auto landClassesRead = m_database->allLandClasses();
    if (failed(landClassesRead)) {
        return false;
    }
    QStringList durations;
    for (const std::string_view label : calc::durationLabels) {
        durations.append(QString::fromUtf8(label.data(), static_cast<qsizetype>(label.size())));
    }

    // A combo box selects its first item as soon as it has one. The lists are filled without
    // running any handler and end with nothing selected.
    fillStationLists(std::get<std::vector<refdata::StationListItem>>(stationsRead));
    setLandClasses(std::get<std::vector<std::string>>(landClassesRead));
    for (QComboBox* list : {u.cboZona, u.cboDuracao}) {
        const QSignalBlocker blocker(list);
        list->clear();
        list->addItems(list == u.cboZona
                           ? QStringList{QStringLiteral("Rural"), QStringLiteral("Urbana")}
                           : durations);
        list->setCurrentIndex(-1);
    }

    m_results->setUpHeadings();
    return true;
}

// ---- Commands ------------------------------------------------------------------------------

void frmZEB::cmdCalcular_Click() {
    calculate();
}

bool frmZEB::calculate() {
    auto reading = readRequest();
    if (const auto* refusal = std::get_if<RequestRefusal>(&reading)) {
        showRefusal(*refusal);
        return false;
    }
    const calc::RunRequest& request = std::get<calc::RunRequest>(reading);
    const calc::CalculationResult result = calc::runRequest(request);
    if (const auto* error = std::get_if<calc::CalculationError>(&result)) {
        m_services.dialogs->warning(this, QString::fromStdString(error->message));
        return false;
    }
    m_record = std::get<calc::CalculationRecord>(result);
    m_lastRequest = request;
    fillResultsGrid(m_record);
    showConstantsUsed();
    auto& u = *m_ui;
    u.cmdImprimir->setEnabled(true);
    u.cmdExportar->setEnabled(true);
    u.mnuResultados->setEnabled(true);
    // An open chart or study window follows each run.
    if (m_chartWindow) {
        m_chartWindow->showRecord(m_record, chartCaption());
    }
    if (m_studyWindow) {
        m_studyWindow->showInputs(*m_lastRequest, chartCaption());
    }
    inputsChanged(); // every window's results are current again
    return true;
}

std::variant<calc::RunRequest, frmZEB::RequestRefusal> frmZEB::readRequest() const {
    auto& u = *m_ui;
    if (QWidget* empty = firstEmptyRequiredField()) {
        return RequestRefusal{empty, QStringLiteral("Todos os campos devem estar preenchidos")};
    }
    if (auto ambiguous = firstAmbiguousNumber(false)) {
        return *ambiguous;
    }
    const bool automatic = u.Option1->isChecked();
    calc::RunRequest request;
    request.mode = automatic ? calc::EquationMode::Automatic : calc::EquationMode::Own;
    request.durationIndex = u.cboDuracao->currentIndex();
    request.curveNumber = readField(u.txtCN);
    request.drainageAreaKm2 = readField(u.txtArea);
    request.returnPeriodYears = readField(u.txtRecorrencia);
    if (automatic) {
        if (m_currentStation) {
            request.station = m_currentStation->coefficients;
        }
    } else {
        request.ownConstants = {readField(u.txtK), readField(u.txta), readField(u.txtb),
                                readField(u.txtc)};
    }
    request.channelLengthKm = m_typed.channelLengthKm;
    request.elevationDropM = m_typed.elevationDropM;
    request.concentrationTimeH = m_typed.concentrationTimeH;
    return request;
}

void frmZEB::showRefusal(const RequestRefusal& refusal) {
    m_services.dialogs->warning(this, refusal.message);
    refusal.field->setFocus();
}

bool frmZEB::resultsMatchInputs() const {
    if (!m_lastRequest) {
        return false;
    }
    const auto reading = readRequest();
    const auto* request = std::get_if<calc::RunRequest>(&reading);
    return request != nullptr && *request == *m_lastRequest;
}

bool frmZEB::resultsUpToDate() {
    return resultsMatchInputs() || calculate();
}

void frmZEB::inputsChanged() {
    showStudyTitle();
    const bool outOfDate = m_lastRequest && !resultsMatchInputs();
    m_results->setOutOfDate(outOfDate);
    if (m_chartWindow) {
        m_chartWindow->setOutOfDate(outOfDate);
    }
    if (m_studyWindow) {
        m_studyWindow->setOutOfDate(outOfDate);
    }
}

void frmZEB::fillResultsGrid(const calc::CalculationRecord& record) {
    m_results->show(record);
}

void frmZEB::cmdSair_Click() {
    close();
}

// The report of the record as it stands, with the river and station texts now shown and the
// time of the command.
std::vector<report::ReportLine> frmZEB::composeReport() const {
    const QDateTime now = m_services.clock ? m_services.clock() : QDateTime::currentDateTime();
    const QString dateTime = QLocale::c().toString(now, QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    // Line 5 names where the run's constants came from.
    const calc::EquationMode mode =
        m_lastRequest ? m_lastRequest->mode : calc::EquationMode::Automatic;
    return report::composeReportLines(m_record, mode, m_ui->txtRio->text().toStdString(),
                                      m_ui->cboPosto->currentText().toStdString(),
                                      dateTime.toStdString(), m_services.numberStyle);
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

void frmZEB::mnuGrafico_Click() {
    if (!m_chartWindow) {
        m_chartWindow = new HydrographWindow(
            *m_services.dialogs, [this] { return resultsUpToDate(); }, this);
        m_chartWindow->showRecord(m_record, chartCaption());
        m_chartWindow->setOutOfDate(m_results->isOutOfDate());
    }
    bringForward(m_chartWindow);
}

void frmZEB::mnuEstudo_Click() {
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

void frmZEB::mnuExportarPDF_Click() {
    if (!resultsUpToDate()) {
        return;
    }
    exportReportPdf(this, *m_services.dialogs, composeReport(), m_record, chartCaption());
}

void frmZEB::mnuExportarCSV_Click() {
    if (!resultsUpToDate()) {
        return;
    }
    // Separators as the user's spreadsheet reads them.
    exportSeriesCsv(this, *m_services.dialogs, m_record, m_ui->txtRio->text(),
                    report::CsvStyle::forNumberStyle(m_services.numberStyle));
}

void frmZEB::mnuPostos_Click() {
    if (!m_stationsWindow) {
        StationsSource source;
        source.userDatabase = refdata::userDatabasePath();
        source.databaseInUse = [this] { return m_database->path(); };
        source.changed = [this] { reloadStations(); };
        m_stationsWindow = new StationsWindow(*m_services.dialogs, m_services.numberStyle,
                                              std::move(source), this);
    } else {
        // Another program may have changed the file since the window was last shown.
        m_stationsWindow->refresh();
    }
    bringForward(m_stationsWindow);
}

// ---- Station and soil selection ----------------------------------------------------------

void frmZEB::cboPosto_Click() {
    // The study's copy of its station is not in the database: it is not looked up.
    if (chooseStudyStation()) {
        return;
    }
    // Until a lookup succeeds no station is current and no state shown, and the code list
    // shows the name's row: the previous station must not be taken for the one now shown. An
    // empty name is not looked up.
    m_currentStation.reset();
    m_ui->txtEstado->clear();
    m_ui->cboCodigo->setCurrentIndex(m_ui->cboPosto->currentIndex());
    const QString name = m_ui->cboPosto->currentText();
    if (name.isEmpty()) {
        return;
    }
    auto found = m_database->findStationByName(name.toStdString());
    if (const auto* error = std::get_if<refdata::DatabaseError>(&found)) {
        m_currentStation.reset();
        showDatabaseMessage(error->message);
        return;
    }
    auto& station = std::get<std::optional<refdata::StationRecord>>(found);
    if (!station) {
        m_currentStation.reset();
        showDatabaseMessage(QStringLiteral("O posto \"%1\" não está no banco de dados %2.")
                                .arg(name, QString::fromStdString(m_database->path().string()))
                                .toStdString());
        return;
    }
    m_currentStation = std::move(station);
    // Selecting the code runs cboCodigo_Click, which finds the name already selected (or,
    // for a repeated name, selects the first row's and looks that up in turn).
    selectStationCode(m_currentStation->codigo);
    if (m_currentStation) {
        m_ui->txtEstado->setText(QString::fromStdString(m_currentStation->estado));
    }
}

void frmZEB::cboCodigo_Click() {
    m_ui->cboPosto->setCurrentIndex(m_ui->cboCodigo->currentIndex());
}

void frmZEB::cboZona_Click() {
    const QString zone = m_ui->cboZona->currentText();
    const auto found = m_database->landClassesOfZone(zone.toStdString());
    if (const auto* error = std::get_if<refdata::DatabaseError>(&found)) {
        showDatabaseMessage(error->message);
        return;
    }
    setLandClasses(std::get<std::vector<std::string>>(found));
}

// Rebuilt without running cboTerreno_Click; no land class is selected afterwards and the
// curve number stays as it was.
void frmZEB::setLandClasses(const std::vector<std::string>& landClasses) {
    QStringList terrains;
    terrains.reserve(static_cast<qsizetype>(landClasses.size()));
    for (const std::string& landClass : landClasses) {
        terrains.append(QString::fromStdString(landClass));
    }
    const QSignalBlocker blocker(m_ui->cboTerreno);
    m_ui->cboTerreno->clear();
    m_ui->cboTerreno->addItems(terrains);
    m_ui->cboTerreno->setCurrentIndex(-1);
}

void frmZEB::cboTerreno_Click() {
    const QString landClass = m_ui->cboTerreno->currentText();
    if (landClass.isEmpty()) {
        return;
    }
    // A failed lookup leaves no curve number for a run to take as the new land class's.
    m_ui->txtCN->clear();
    const auto found = m_database->findCurveNumber(landClass.toStdString());
    if (const auto* error = std::get_if<refdata::DatabaseError>(&found)) {
        showDatabaseMessage(error->message);
        return;
    }
    const auto& curveNumber = std::get<std::optional<double>>(found);
    if (!curveNumber) {
        showDatabaseMessage(QStringLiteral("O terreno \"%1\" não está no banco de dados %2.")
                                .arg(landClass, QString::fromStdString(m_database->path().string()))
                                .toStdString());
        return;
    }
    m_ui->txtCN->setText(formatPlain(*curveNumber));
}

void frmZEB::reloadStations() {
    auto opened = m_services.openDatabase();
    if (const auto* error = std::get_if<refdata::DatabaseError>(&opened)) {
        showDatabaseMessage(error->message);
        return;
    }
    auto database = std::move(std::get<std::unique_ptr<refdata::ReferenceDatabase>>(opened));
    const auto stationsRead = database->allStations();
    if (const auto* error = std::get_if<refdata::DatabaseError>(&stationsRead)) {
        showDatabaseMessage(error->message);
        return;
    }
    m_database = std::move(database);
    const std::string shown = m_ui->cboCodigo->currentText().toStdString();
    const bool studyCopyChosen =
        m_studyStation && m_ui->cboPosto->currentIndex() == m_studyStationIndex;
    m_currentStation.reset();
    m_ui->txtEstado->clear();
    fillStationLists(std::get<std::vector<refdata::StationListItem>>(stationsRead));
    // Chosen again as a user picks it, so that edited constants are looked up; a study's copy
    // of its station stays the study's.
    if (studyCopyChosen) {
        m_ui->cboPosto->setCurrentIndex(m_studyStationIndex);
    } else if (!shown.empty()) {
        selectStationCode(shown);
    }
    // A station deleted or changed under the results leaves them out of date.
    inputsChanged();
}

void frmZEB::fillStationLists(const std::vector<refdata::StationListItem>& stations) {
    QStringList codes;
    QStringList names;
    m_stationCodes.clear();
    for (const refdata::StationListItem& station : stations) {
        codes.append(QString::fromStdString(station.codigo));
        names.append(QString::fromStdString(station.nome));
        m_stationCodes.push_back(station.codigo);
    }
    // An open study's copy of its station stays last in the lists.
    if (m_studyStation) {
        codes.append(QString::fromStdString(m_studyStation->codigo));
        names.append(QString::fromStdString(m_studyStation->nome));
        m_studyStationIndex = static_cast<int>(names.size()) - 1;
    }
    for (QComboBox* list : {m_ui->cboCodigo, m_ui->cboPosto}) {
        const QSignalBlocker blocker(list);
        list->clear();
        list->addItems(list == m_ui->cboCodigo ? codes : names);
        list->setCurrentIndex(-1);
    }
}

void frmZEB::selectStationCode(const std::string& codigo) {
    const auto found = std::find(m_stationCodes.cbegin(), m_stationCodes.cend(), codigo);
    if (found != m_stationCodes.cend()) {
        m_ui->cboCodigo->setCurrentIndex(static_cast<int>(found - m_stationCodes.cbegin()));
    }
}

void frmZEB::showDatabaseMessage(const std::string& message) {
    m_services.dialogs->showMessage(isVisible() ? this : nullptr, QString::fromStdString(message),
                                    kProgramTitle, MessageIcon::Exclamation);
}

// ---- Input fields ------------------------------------------------------------------------

// The typed constants wait while the boxes show those of the last run.
void frmZEB::Option1_Click() {
    const auto fields = ownFields();
    for (std::size_t i = 0; i < fields.size(); ++i) {
        m_ownTexts[i] = fields[i]->text();
        fields[i]->setEnabled(false);
    }
    showConstantsUsed();
}

// The typed constants come back.
void frmZEB::Option2_Click() {
    const auto fields = ownFields();
    for (std::size_t i = 0; i < fields.size(); ++i) {
        const QSignalBlocker blocker(fields[i]);
        fields[i]->setText(m_ownTexts[i]);
        fields[i]->setEnabled(true);
    }
}

std::array<QLineEdit*, 4> frmZEB::ownFields() const {
    return {m_ui->txtK, m_ui->txta, m_ui->txtb, m_ui->txtc};
}

QString frmZEB::ownText(std::size_t index) const {
    return m_ui->Option2->isChecked() ? ownFields().at(index)->text() : m_ownTexts.at(index);
}

void frmZEB::setOwnText(std::size_t index, const QString& text) {
    if (m_ui->Option2->isChecked()) {
        ownFields().at(index)->setText(text);
    } else {
        m_ownTexts.at(index) = text;
    }
}

// In "Automática", K (which depends on the duration and the return period) and the station's
// a, b and c as the last run in that mode used them; nothing before one.
void frmZEB::showConstantsUsed() {
    if (m_ui->Option2->isChecked()) {
        return;
    }
    const bool automaticRun = m_lastRequest && m_lastRequest->mode == calc::EquationMode::Automatic;
    const calc::Entry used[] = {m_record.frequencyFactorK, m_record.idfCoefficientA,
                                m_record.idfCoefficientB, m_record.idfCoefficientC};
    const auto fields = ownFields();
    for (std::size_t i = 0; i < fields.size(); ++i) {
        const QString text = automaticRun && used[i] ? formatPlain(*used[i]) : QString();
        const QSignalBlocker blocker(fields[i]);
        fields[i]->setText(text);
        fields[i]->setToolTip(text);
        fields[i]->setCursorPosition(0);
    }
}

// Tab enters the "Equação" frame at its selected option only; the other is reached by the
// arrow keys or the mouse.
void frmZEB::updateOptionTabStops() {
    const bool anySelected = m_ui->Option1->isChecked() || m_ui->Option2->isChecked();
    for (QRadioButton* option : {m_ui->Option1, m_ui->Option2}) {
        option->setFocusPolicy(option->isChecked() || !anySelected ? Qt::StrongFocus
                                                                   : Qt::ClickFocus);
    }
}

void frmZEB::txtComprimento_Change() {
    updateConcentrationTime(m_ui->txtDesnivel);
}

void frmZEB::txtDesnivel_Change() {
    updateConcentrationTime(m_ui->txtComprimento);
}

void frmZEB::txtArea_LostFocus() {
    formatOnLeaving(m_ui->txtArea);
}

void frmZEB::txtComprimento_LostFocus() {
    lengthOrDropLeft(m_ui->txtComprimento);
}

void frmZEB::txtDesnivel_LostFocus() {
    lengthOrDropLeft(m_ui->txtDesnivel);
}

void frmZEB::lengthOrDropLeft(QLineEdit* field) {
    // Giving the focus back to the field at fault takes it from the other one, which the user
    // did not leave: that is not checked again.
    if (m_refusing) {
        return;
    }
    m_refusing = true;
    const bool refused = refuseUndefinedTime(field);
    m_refusing = false;
    if (!refused) {
        formatOnLeaving(field);
    }
}

frmZEB::ConcentrationTime frmZEB::attemptConcentrationTime() const {
    ConcentrationTime attempt{readTyped(m_ui->txtComprimento), readTyped(m_ui->txtDesnivel), {}};
    if (attempt.length.value && attempt.drop.value) {
        attempt.hours = calc::computeConcentrationTime(*attempt.length.value, *attempt.drop.value);
    }
    return attempt;
}

void frmZEB::updateConcentrationTime(const QLineEdit* other) {
    if (other->text().isEmpty()) {
        return;
    }
    const ConcentrationTime attempt = attemptConcentrationTime();
    if (attempt.length.value && attempt.drop.value) {
        m_typed.channelLengthKm = *attempt.length.value;
        m_typed.elevationDropM = *attempt.drop.value;
    }
    // A number still being typed ("0,", "-") is left as it is and tc stays blank until the
    // number is complete; leaving the field refuses a value that leaves tc undefined.
    m_typed.concentrationTimeH = attempt.hours.value_or(0);
    m_ui->txtconcentracao->setText(
        attempt.hours ? QString::fromStdString(report::formatPattern(
                            *attempt.hours, report::Pattern::Plain3, m_services.numberStyle))
                      : QString());
}

bool frmZEB::refuseUndefinedTime(QLineEdit* left) {
    auto& u = *m_ui;
    if (u.txtComprimento->text().isEmpty() || u.txtDesnivel->text().isEmpty()) {
        return false;
    }
    const ConcentrationTime attempt = attemptConcentrationTime();
    if (attempt.hours) {
        return false;
    }
    if (refuseAmbiguous(u.txtComprimento, u.lblComprimento) ||
        refuseAmbiguous(u.txtDesnivel, u.lblDesnivel)) {
        return true;
    }
    // The field at fault takes the focus; its text stays as typed.
    QLineEdit* cause = u.txtDesnivel;
    QString reason = QStringLiteral("o desnível deve ser maior que 0 m");
    if (*attempt.drop.value > 0 && *attempt.length.value < 0) {
        cause = u.txtComprimento;
        reason = QStringLiteral("o comprimento do talvegue deve ser maior que 0 km");
    } else if (*attempt.drop.value > 0) {
        cause = left;
        reason = QStringLiteral("o resultado é grande demais");
    }
    m_services.dialogs->warning(
        this, QStringLiteral("O tempo de concentração não pode ser calculado: %1.").arg(reason));
    cause->setFocus();
    return true;
}

void frmZEB::formatOnLeaving(QLineEdit* field) {
    const report::TypedNumber number = readTyped(field);
    if (!number.value || !number.whole) {
        return;
    }
    field->setText(QString::fromStdString(
        report::formatPattern(*number.value, report::Pattern::Grouped, m_services.numberStyle)));
    // A narrow field shows where its number starts, not a tail like ".234,50".
    field->setCursorPosition(0);
}

QWidget* frmZEB::firstEmptyRequiredField() const {
    auto& u = *m_ui;
    const bool automatic = u.Option1->isChecked();
    // In the window's order, from the top; a blank counts as filled.
    const std::vector<QWidget*> required =
        automatic
            ? std::vector<QWidget*>{u.cboCodigo,   u.txtCN,      u.txtArea,       u.txtComprimento,
                                    u.txtDesnivel, u.cboDuracao, u.txtRecorrencia}
            : std::vector<QWidget*>{u.txtCN,       u.txtArea,    u.txtComprimento,
                                    u.txtDesnivel, u.cboDuracao, u.txtK,
                                    u.txta,        u.txtb,       u.txtc};
    for (QWidget* field : required) {
        const auto* list = qobject_cast<QComboBox*>(field);
        const QString text =
            list != nullptr ? list->currentText() : static_cast<QLineEdit*>(field)->text();
        if (text.isEmpty()) {
            return field;
        }
    }
    return nullptr;
}

// Before a run, the fields of its mode; before saving a study, every field.
std::optional<frmZEB::RequestRefusal> frmZEB::firstAmbiguousNumber(bool everyField) const {
    auto& u = *m_ui;
    const bool own = u.Option2->isChecked() || everyField;
    const bool automatic = !u.Option2->isChecked() || everyField;
    const std::pair<QLineEdit*, QLabel*> read[] = {
        {u.txtCN, u.lblCN},
        {u.txtArea, u.lblArea},
        {u.txtComprimento, u.lblComprimento},
        {u.txtDesnivel, u.lblDesnivel},
        {automatic ? u.txtRecorrencia : nullptr, u.lblRecorrencia},
    };
    for (const auto& [field, label] : read) {
        if (field != nullptr) {
            if (auto refusal = ambiguity(field->text(), field, label)) {
                return refusal;
            }
        }
    }
    const QLabel* ownLabels[] = {u.lblK, u.lbla, u.lblb, u.lblc};
    for (std::size_t i = 0; own && i < ownFields().size(); ++i) {
        if (auto refusal = ambiguity(ownText(i), ownFields()[i], ownLabels[i])) {
            return refusal;
        }
    }
    return std::nullopt;
}

bool frmZEB::refuseAmbiguousNumber(bool everyField) {
    const auto refusal = firstAmbiguousNumber(everyField);
    if (refusal) {
        showRefusal(*refusal);
    }
    return refusal.has_value();
}

bool frmZEB::refuseAmbiguous(QLineEdit* field, const QLabel* label) {
    const auto refusal = ambiguity(field->text(), field, label);
    if (refusal) {
        showRefusal(*refusal);
    }
    return refusal.has_value();
}

std::optional<frmZEB::RequestRefusal> frmZEB::ambiguity(const QString& text, QWidget* field,
                                                        const QLabel* label) const {
    const report::TypedNumber number =
        report::readTypedNumber(text.toStdString(), m_services.numberStyle);
    if (number.value) {
        return std::nullopt;
    }
    return RequestRefusal{field, QString::fromStdString(report::ambiguousNumberMessage(
                                     text.toStdString(), label->text().chopped(1).toStdString(),
                                     number, m_services.numberStyle))};
}

// Esc is the window's cancel key, bound to "&Sair", whose closing asks about unsaved work. It
// comes as a key the focused control left unused: an open list or a dialog takes its own Esc,
// which never reaches the window (a shortcut would take it from an open list too).
void frmZEB::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        m_ui->cmdSair->click();
        return;
    }
    QMainWindow::keyPressEvent(event);
}

report::TypedNumber frmZEB::readTyped(const QLineEdit* field) const {
    return report::readTypedNumber(field->text().toStdString(), m_services.numberStyle);
}

// A field that reads no number (the ambiguous ones are refused before a run) reads as 0.
double frmZEB::readField(const QLineEdit* field) const {
    return readTyped(field).value.value_or(0);
}

QString frmZEB::formatPlain(double value) const {
    return QString::fromStdString(report::formatPlain(value, m_services.numberStyle));
}

} // namespace ui
