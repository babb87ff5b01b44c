#include "ui/main/frmzeb.h"

#include "ui_frmzeb.h"

#include "calc/durations.h"
#include "calc/run_request.h"
#include "look/fonts.h"
#include "ui/chart/hydrograph_window.h"
#include "ui/common/dialog_service.h"
#include "ui/common/resources.h"
#include "ui/main/basin_form.h"
#include "ui/main/results_view.h"
#include "ui/main/station_picker.h"
#include "ui/main/study_document.h"
#include "ui/study/study_window.h"

#include <variant>

#include <QApplication>
#include <QClipboard>
#include <QEvent>
#include <QKeyEvent>
#include <QMenuBar>
#include <QShortcut>
#include <QSignalBlocker>
#include <QTableWidget>

namespace ui {

namespace {

// The layout measures in twips; 15 of them make a pixel at 96 dots per inch.
constexpr int kTwipsPerPixel = 15;
constexpr int kClientWidthPx = 8850 / kTwipsPerPixel;
constexpr int kClientHeightPx = 8565 / kTwipsPerPixel;
// Under the grid, where the notes on the run's limits and the out-of-date line stand.
const QRect kNotesPlace(5520 / kTwipsPerPixel, 5330 / kTwipsPerPixel, 3300 / kTwipsPerPixel,
                        510 / kTwipsPerPixel);

} // namespace

frmZEB::frmZEB(MainWindowServices services, QWidget* parent)
    : QMainWindow(parent), m_ui(std::make_unique<Ui::frmZEB>()), m_services(std::move(services)) {
    initResources();
    m_ui->setupUi(this);
    setFont(look::controlFont());
    m_ui->lblNorbaltica->setFont(look::titleFont());
    auto* notes = new QLabel(m_ui->centralwidget);
    notes->setObjectName(QStringLiteral("lblAvisos"));
    notes->setGeometry(kNotesPlace);
    m_results = std::make_unique<ResultsView>(m_ui->grdVazoes, notes, m_services.numberStyle);
    m_stations = std::make_unique<StationPicker>(*m_ui, *m_services.dialogs, *this);
    m_basin =
        std::make_unique<BasinForm>(*m_ui, *m_services.dialogs, *this, m_services.numberStyle);
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
    connect(u.mnuGrafico, &QAction::triggered, this, &frmZEB::showChart);
    connect(u.mnuEstudo, &QAction::triggered, this, &frmZEB::showStudyWindow);
    connect(u.mnuExportarPDF, &QAction::triggered, this, &frmZEB::exportPdf);
    connect(u.mnuExportarCSV, &QAction::triggered, this, &frmZEB::exportCsv);
    connect(u.mnuPostos, &QAction::triggered, this, &frmZEB::showStations);
    connect(u.mnuChuvasIntensas, &QAction::triggered, this, &frmZEB::showRainAnalysis);
    connectInputs();
    connectStudyMenu();
}

void frmZEB::connectInputs() {
    auto& u = *m_ui;

    // A selection made by the program runs these just as the user's does, and only on a
    // real change; the lists are filled with their signals blocked.
    connect(u.cboPosto, &QComboBox::currentIndexChanged, this, &frmZEB::cboPosto_Click);
    connect(u.cboCodigo, &QComboBox::currentIndexChanged, this, &frmZEB::cboCodigo_Click);
    connect(u.cboZona, &QComboBox::currentIndexChanged, this, &frmZEB::cboZona_Click);
    connect(u.cboTerreno, &QComboBox::currentIndexChanged, this, &frmZEB::cboTerreno_Click);

    connectEquationModes();

    // textChanged also runs for texts set by the program, nested, and never for the same text.
    connect(u.txtComprimento, &QLineEdit::textChanged, this, &frmZEB::txtComprimento_Change);
    connect(u.txtDesnivel, &QLineEdit::textChanged, this, &frmZEB::txtDesnivel_Change);
    connect(u.txtArea, &FieldEdit::focusLost, this, &frmZEB::txtArea_LostFocus);
    connect(u.txtComprimento, &FieldEdit::focusLost, this, &frmZEB::txtComprimento_LostFocus);
    connect(u.txtDesnivel, &FieldEdit::focusLost, this, &frmZEB::txtDesnivel_LostFocus);
    // Every input a study keeps updates the unsaved mark and the results' state, after its own
    // handler has run.
    for (QLineEdit* field : std::initializer_list<QLineEdit*>{
             u.txtRio, u.txtCN, u.txtArea, u.txtComprimento, u.txtDesnivel, u.txtRecorrencia,
             u.txtK, u.txta, u.txtb, u.txtc, u.txtIdfK, u.txtIdfm, u.txtIdft0, u.txtIdfn}) {
        connect(field, &QLineEdit::textChanged, this, &frmZEB::inputsChanged);
    }
    for (QComboBox* list : {u.cboPosto, u.cboZona, u.cboTerreno, u.cboDuracao}) {
        connect(list, &QComboBox::currentIndexChanged, this, &frmZEB::inputsChanged);
    }
    // Every change of mode toggles "Própria" or "Equação IDF".
    connect(u.Option2, &QRadioButton::toggled, this, &frmZEB::inputsChanged);
    connect(u.Option3, &QRadioButton::toggled, this, &frmZEB::inputsChanged);
}

void frmZEB::connectEquationModes() {
    auto& u = *m_ui;
    const std::pair<QRadioButton*, void (frmZEB::*)()> options[] = {
        {u.Option1, &frmZEB::Option1_Click},
        {u.Option2, &frmZEB::Option2_Click},
        {u.Option3, &frmZEB::Option3_Click}};
    for (const auto& [option, handler] : options) {
        connect(option, &QRadioButton::toggled, this, [this, handler](bool selected) {
            m_basin->updateOptionTabStops();
            if (selected) {
                (this->*handler)();
            }
        });
    }
}

bool frmZEB::Form_Load() {
    m_ui->Option1->setChecked(true);
    if (!loadDatabase()) {
        return false;
    }
    m_results->setUpHeadings();
    return true;
}

// A combo box selects its first item as soon as it has one. The lists are filled without
// running any handler and end with nothing selected.
bool frmZEB::loadDatabase() {
    releaseDatabase();
    if (!openedDatabase()) {
        return false;
    }
    const auto failed = [this](const auto& read) {
        if (!read) {
            m_database.reset();
            m_services.dialogs->failure(this, read.failure());
        }
        return !read;
    };
    const auto stationsRead = m_database->allStations();
    if (failed(stationsRead)) {
        return false;
    }
    const auto landClassesRead = m_database->allLandClasses();
    if (failed(landClassesRead)) {
        return false;
    }
    m_stations->fill(*stationsRead);
    m_basin->setLandClasses(*landClassesRead);
    fillFixedLists();
    return true;
}

void frmZEB::fillFixedLists() {
    QStringList durations;
    for (const std::string_view label : calc::durationLabels) {
        durations.append(QString::fromUtf8(label.data(), static_cast<qsizetype>(label.size())));
    }
    auto& u = *m_ui;
    for (QComboBox* list : {u.cboZona, u.cboDuracao}) {
        const QSignalBlocker blocker(list);
        list->clear();
        list->addItems(list == u.cboZona
                           ? QStringList{QStringLiteral("Rural"), QStringLiteral("Urbana")}
                           : durations);
        list->setCurrentIndex(-1);
    }
}

// ---- Commands ------------------------------------------------------------------------------

void frmZEB::cmdCalcular_Click() {
    calculate();
}

bool frmZEB::calculate() {
    auto reading = m_basin->readRequest(m_stations->current());
    if (const auto* refusal = std::get_if<RequestRefusal>(&reading)) {
        m_basin->showRefusal(*refusal);
        return false;
    }
    const calc::RunRequest& request = std::get<calc::RunRequest>(reading);
    const auto result = calc::runRequest(request);
    if (!result) {
        m_services.dialogs->failure(this, result.failure());
        return false;
    }
    showRun(request, *result);
    return true;
}

void frmZEB::showRun(const calc::RunRequest& request, const calc::CalculationRecord& record) {
    m_record = record;
    m_lastRequest = request;
    fillResultsGrid(m_record);
    m_basin->showConstantsUsed(m_record, lastRunAutomatic());
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
}

bool frmZEB::lastRunAutomatic() const {
    return m_lastRequest && m_lastRequest->mode == calc::EquationMode::Automatic;
}

bool frmZEB::resultsMatchInputs() const {
    if (!m_lastRequest) {
        return false;
    }
    const auto reading = m_basin->readRequest(m_stations->current());
    const auto* request = std::get_if<calc::RunRequest>(&reading);
    return request != nullptr && *request == *m_lastRequest;
}

bool frmZEB::resultsUpToDate() {
    return resultsMatchInputs() || calculate();
}

void frmZEB::inputsChanged() {
    m_document->showTitle();
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

// ---- Station and soil selection ----------------------------------------------------------

const std::optional<calc::Station>& frmZEB::currentStation() const {
    return m_stations->current();
}

void frmZEB::cboPosto_Click() {
    if (refdata::ReferenceDatabase* database = openedDatabase()) {
        m_stations->nameChosen(*database);
    }
    followStationEquation();
}

void frmZEB::cboCodigo_Click() {
    m_stations->codeChosen();
    followStationEquation();
}

// A station that holds an IDF equation has no constants for "Automática": choosing it fills
// "Equação IDF" with its equation.
void frmZEB::followStationEquation() {
    const std::optional<calc::Station>& station = currentStation();
    if (const calc::StationIdfEquation* idf = station ? station->idf() : nullptr) {
        m_basin->showIdfEquation(idf->equation);
    }
}

void frmZEB::cboZona_Click() {
    if (refdata::ReferenceDatabase* database = openedDatabase()) {
        m_basin->zoneChosen(*database);
    }
}

void frmZEB::cboTerreno_Click() {
    if (refdata::ReferenceDatabase* database = openedDatabase()) {
        m_basin->landClassChosen(*database);
    }
}

refdata::ReferenceDatabase* frmZEB::openedDatabase() {
    if (!m_database) {
        auto opened = m_services.openDatabase();
        if (!opened) {
            m_services.dialogs->failure(this, opened.failure());
            return nullptr;
        }
        m_database = std::move(*opened);
        m_databasePath = m_database->path();
    }
    return m_database.get();
}

void frmZEB::releaseDatabase() {
    m_database.reset();
}

void frmZEB::reloadStations() {
    auto opened = m_services.openDatabase();
    if (!opened) {
        m_services.dialogs->failure(this, opened.failure());
        return;
    }
    const auto stationsRead = (*opened)->allStations();
    if (!stationsRead) {
        m_services.dialogs->failure(this, stationsRead.failure());
        return;
    }
    m_database = std::move(*opened);
    m_databasePath = m_database->path();
    m_stations->refill(*stationsRead);
    // A station deleted or changed under the results leaves them out of date.
    inputsChanged();
}

// ---- Input fields ------------------------------------------------------------------------

void frmZEB::Option1_Click() {
    m_basin->automaticChosen(m_record, lastRunAutomatic());
}

void frmZEB::Option2_Click() {
    m_basin->ownChosen();
}

void frmZEB::Option3_Click() {
    m_basin->idfChosen();
}

void frmZEB::txtComprimento_Change() {
    m_basin->lengthOrDropChanged(m_ui->txtDesnivel);
}

void frmZEB::txtDesnivel_Change() {
    m_basin->lengthOrDropChanged(m_ui->txtComprimento);
}

void frmZEB::txtArea_LostFocus() {
    m_basin->areaLeft();
}

void frmZEB::txtComprimento_LostFocus() {
    m_basin->lengthOrDropLeft(m_ui->txtComprimento);
}

void frmZEB::txtDesnivel_LostFocus() {
    m_basin->lengthOrDropLeft(m_ui->txtDesnivel);
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

} // namespace ui
