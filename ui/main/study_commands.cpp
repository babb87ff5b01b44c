// The main window's study files: "Novo", "Abrir estudo…", "Salvar estudo", "Salvar estudo
// como…" and the recent studies of the "Es&tudo" menu, and the form a study fills.

#include "ui/main/frmzeb.h"

#include "ui_frmzeb.h"

#include "ui/chart/hydrograph_window.h"
#include "ui/common/dialog_service.h"
#include "ui/main/basin_form.h"
#include "ui/main/results_view.h"
#include "ui/main/station_picker.h"
#include "ui/main/study_document.h"
#include "ui/study/study_window.h"

#include <variant>

#include <QCloseEvent>

namespace ui {

void frmZEB::connectStudyMenu() {
    auto& u = *m_ui;
    StudyDocument::Parts parts;
    parts.window = this;
    parts.dialogs = m_services.dialogs;
    parts.menu = u.mnuArquivoEstudo;
    parts.anchor = u.mnuPostos;
    parts.inputs = [this] { return studyInputs(); };
    parts.openRecent = [this](const QString& path) { openRecentStudy(path); };
    m_document = std::make_unique<StudyDocument>(std::move(parts));
    connect(u.mnuNovo, &QAction::triggered, this, &frmZEB::newStudy);
    connect(u.mnuAbrir, &QAction::triggered, this, &frmZEB::openStudyFile);
    connect(u.mnuSalvar, &QAction::triggered, this, &frmZEB::saveStudy);
    connect(u.mnuSalvarComo, &QAction::triggered, this, &frmZEB::saveStudyAs);
    m_document->fillRecentMenu();
}

// "&Sair", the title bar and Esc close alike: inputs not kept in a study are asked about once;
// with nothing to lose the window closes at once.
void frmZEB::closeEvent(QCloseEvent* event) {
    if (m_document->settle([this] { return saveStudy(); })) {
        QMainWindow::closeEvent(event);
    } else {
        event->ignore();
    }
}

void frmZEB::newStudy() {
    if (!m_document->settle([this] { return saveStudy(); })) {
        return;
    }
    clearForm();
    m_document->start();
}

void frmZEB::openStudyFile() {
    if (const std::optional<QString> path = m_document->askOpenPath()) {
        openStudy(*path);
    }
}

bool frmZEB::saveStudy() {
    return m_document->hasPath() ? saveStudyTo(m_document->path()) : saveStudyAs();
}

bool frmZEB::saveStudyAs() {
    const std::optional<QString> path = m_document->askSavePath(m_ui->txtRio->text());
    return path && saveStudyTo(*path);
}

// The file is read whole before anything is asked or changed: a damaged file leaves the form
// as it was.
bool frmZEB::openStudy(const QString& path) {
    const std::optional<report::StudyInputs> study = m_document->load(path);
    if (!study || !m_document->settle([this] { return saveStudy(); })) {
        return false;
    }
    fillForm(*study);
    m_document->openedOrSaved(path);
    if (m_basin->isComplete()) {
        cmdCalcular_Click();
    }
    return true;
}

void frmZEB::openRecentStudy(const QString& path) {
    if (m_document->recentStillExists(path)) {
        openStudy(path);
    }
}

// A number that reads two ways would be saved as no number: it is refused as before a run.
bool frmZEB::saveStudyTo(const QString& path) {
    return !m_basin->refuseAmbiguousNumber(true) && m_document->save(path);
}

report::StudyInputs frmZEB::studyInputs() const {
    report::StudyInputs study = m_basin->studyInputs();
    study.station = m_stations->chosen();
    return study;
}

// Every choice and text is set as the user would make it, so the handlers run as for the user:
// the station lookup, the zone's land classes, the time of concentration.
void frmZEB::fillForm(const report::StudyInputs& study) {
    clearForm();
    m_basin->fillRiverAndMode(study);
    if (study.station) {
        m_stations->chooseStudyStation(*study.station);
    }
    m_basin->fillBasin(study);
}

// The form as after loading: no text, no choice, no results, "Automática".
void frmZEB::clearForm() {
    m_basin->clear();
    m_stations->clear();
    refdata::ReferenceDatabase* database = openedDatabase();
    if (!database) {
        return;
    }
    const auto landClasses = database->allLandClasses();
    if (!landClasses) {
        m_services.dialogs->failure(this, landClasses.failure());
    } else {
        m_basin->setLandClasses(*landClasses);
    }
    m_ui->Option1->setChecked(true);
    clearResults();
}

// The results belonged to the inputs just emptied.
void frmZEB::clearResults() {
    m_record = calc::CalculationRecord{};
    m_lastRequest.reset();
    m_results->clear();
    m_basin->showConstantsUsed(m_record, false); // none shown without a run
    m_ui->cmdImprimir->setEnabled(false);
    m_ui->cmdExportar->setEnabled(false);
    m_ui->mnuResultados->setEnabled(false);
    if (m_chartWindow) {
        m_chartWindow->close();
    }
    if (m_studyWindow) {
        m_studyWindow->close();
    }
}

} // namespace ui
