// The main window's form as a study file keeps it: read into report::StudyInputs, filled from
// one as the user would type and choose it, and emptied for a new study.

#include "ui/main/frmzeb.h"

#include "ui_frmzeb.h"

#include "ui/chart/hydrograph_window.h"
#include "ui/common/dialog_service.h"
#include "ui/main/results_view.h"
#include "ui/study/study_window.h"

#include <array>
#include <variant>

#include <QSignalBlocker>

namespace ui {

namespace {

// lblPosto's width in the layout; it widens to show that the station is the study's copy.
constexpr int kStationLabelWidthPx = 495 / 15;

std::optional<std::string> chosenText(const QComboBox* list) {
    if (list->currentIndex() < 0) {
        return std::nullopt;
    }
    return list->currentText().toStdString();
}

} // namespace

report::StudyInputs frmZEB::studyInputs() const {
    const auto& u = *m_ui;
    // An empty field is kept empty; a number that reads two ways has no value.
    const auto number = [this](const QLineEdit* field) -> std::optional<double> {
        return field->text().isEmpty() ? std::nullopt : readTyped(field).value;
    };
    report::StudyInputs study;
    study.river = u.txtRio->text().toStdString();
    study.mode = u.Option2->isChecked() ? calc::EquationMode::Own : calc::EquationMode::Automatic;
    if (u.cboPosto->currentIndex() >= 0) {
        study.station = report::StudyStation{
            u.cboCodigo->currentText().toStdString(), u.cboPosto->currentText().toStdString(),
            m_currentStation ? m_currentStation->coefficients : calc::StationCoefficients{}};
    }
    study.zone = chosenText(u.cboZona);
    study.landClass = chosenText(u.cboTerreno);
    study.curveNumber = number(u.txtCN);
    study.drainageAreaKm2 = number(u.txtArea);
    study.channelLengthKm = number(u.txtComprimento);
    study.elevationDropM = number(u.txtDesnivel);
    if (u.cboDuracao->currentIndex() >= 0) {
        study.durationIndex = u.cboDuracao->currentIndex();
    }
    study.returnPeriodYears = number(u.txtRecorrencia);
    // The typed constants, also while "Automática" shows those of the last run in their boxes.
    for (std::size_t i = 0; i < study.ownConstants.size(); ++i) {
        const QString typed = ownText(i);
        study.ownConstants[i] =
            typed.isEmpty()
                ? std::nullopt
                : report::readTypedNumber(typed.toStdString(), m_services.numberStyle).value;
    }
    return study;
}

// Every choice and text is set as the user would make it, so the handlers run as for the user:
// the station lookup, the zone's land classes, the time of concentration.
void frmZEB::fillForm(const report::StudyInputs& study) {
    clearForm();
    auto& u = *m_ui;
    const auto text = [this](const std::optional<double>& value) {
        return value ? formatPlain(*value) : QString();
    };
    const auto choose = [](QComboBox* list, const std::optional<std::string>& item) {
        if (item) {
            list->setCurrentIndex(list->findText(QString::fromStdString(*item)));
        }
    };
    u.txtRio->setText(QString::fromStdString(study.river));
    (study.mode == calc::EquationMode::Own ? u.Option2 : u.Option1)->setChecked(true);
    if (study.station) {
        selectStudyStation(*study.station);
    }
    choose(u.cboZona, study.zone);
    choose(u.cboTerreno, study.landClass);
    // The study's curve number, also where the user had typed one over the land class's.
    u.txtCN->setText(text(study.curveNumber));
    // Area, length and drop as they show once typed and left, where that is the same number.
    const auto typedAndLeft = [this](QLineEdit* field, const std::optional<double>& value) {
        field->setText(value ? formatPlain(*value) : QString());
        formatOnLeaving(field);
        if (readTyped(field).value != value) {
            field->setText(formatPlain(*value));
        }
    };
    typedAndLeft(u.txtArea, study.drainageAreaKm2);
    typedAndLeft(u.txtComprimento, study.channelLengthKm);
    typedAndLeft(u.txtDesnivel, study.elevationDropM);
    u.cboDuracao->setCurrentIndex(study.durationIndex.value_or(-1));
    u.txtRecorrencia->setText(text(study.returnPeriodYears));
    for (std::size_t i = 0; i < study.ownConstants.size(); ++i) {
        setOwnText(i, text(study.ownConstants[i]));
    }
}

// The form as after loading: no text, no choice, no results, "Automática".
void frmZEB::clearForm() {
    auto& u = *m_ui;
    for (QLineEdit* field : std::initializer_list<QLineEdit*>{
             u.txtRio, u.txtEstado, u.txtCN, u.txtArea, u.txtComprimento, u.txtDesnivel,
             u.txtconcentracao, u.txtRecorrencia, u.txtK, u.txta, u.txtb, u.txtc}) {
        const QSignalBlocker blocker(field);
        field->clear();
    }
    for (QComboBox* list : {u.cboCodigo, u.cboPosto, u.cboZona, u.cboDuracao}) {
        const QSignalBlocker blocker(list);
        list->setCurrentIndex(-1);
    }
    m_ownTexts = {};
    dropStudyStation();
    m_currentStation.reset();
    const auto landClasses = m_database->allLandClasses();
    if (const auto* error = std::get_if<refdata::DatabaseError>(&landClasses)) {
        showDatabaseMessage(error->message);
    } else {
        setLandClasses(std::get<std::vector<std::string>>(landClasses));
    }
    u.Option1->setChecked(true);

    // The results belonged to the inputs just emptied.
    m_record = calc::CalculationRecord{};
    m_typed = {};
    m_lastRequest.reset();
    m_results->clear();
    u.cmdImprimir->setEnabled(false);
    u.cmdExportar->setEnabled(false);
    u.mnuResultados->setEnabled(false);
    if (m_chartWindow) {
        m_chartWindow->close();
    }
    if (m_studyWindow) {
        m_studyWindow->close();
    }
}

// The database's station when it is the study's, code, name and constants alike; otherwise
// the study's copy, so that the study gives the report it was saved with.
void frmZEB::selectStudyStation(const report::StudyStation& station) {
    auto& u = *m_ui;
    const QString code = QString::fromStdString(station.code);
    const QString name = QString::fromStdString(station.name);
    for (int i = 0; i < u.cboCodigo->count(); ++i) {
        if (u.cboCodigo->itemText(i) == code && u.cboPosto->itemText(i) == name) {
            u.cboPosto->setCurrentIndex(i);
            break;
        }
    }
    const bool listed = m_currentStation && m_currentStation->codigo == station.code &&
                        m_currentStation->nome == station.name;
    if (listed && m_currentStation->coefficients == station.constants) {
        return;
    }
    const QString where = listed ? QStringLiteral("tem no banco de dados outras constantes")
                                 : QStringLiteral("não está no banco de dados");
    m_services.dialogs->warning(
        this, QStringLiteral("O posto \"%1\" (código %2) do estudo %3: o cálculo usa as constantes "
                             "copiadas no estudo.")
                  .arg(name, code, where));

    m_studyStation = refdata::StationRecord{station.code, station.name, {}, station.constants};
    {
        const QSignalBlocker codes(u.cboCodigo);
        const QSignalBlocker names(u.cboPosto);
        u.cboCodigo->addItem(code);
        u.cboPosto->addItem(name);
    }
    m_studyStationIndex = u.cboPosto->count() - 1;
    u.cboPosto->setCurrentIndex(m_studyStationIndex);
}

bool frmZEB::chooseStudyStation() {
    auto& u = *m_ui;
    const bool copy = m_studyStation && u.cboPosto->currentIndex() == m_studyStationIndex;
    u.lblPosto->setText(copy ? QStringLiteral("Posto (cópia do estudo):")
                             : QStringLiteral("Posto:"));
    u.lblPosto->resize(copy ? u.lblPosto->sizeHint().width() : kStationLabelWidthPx,
                       u.lblPosto->height());
    if (!copy) {
        return false;
    }
    m_currentStation = m_studyStation;
    u.txtEstado->clear();
    u.cboCodigo->setCurrentIndex(m_studyStationIndex);
    return true;
}

void frmZEB::dropStudyStation() {
    auto& u = *m_ui;
    if (m_studyStationIndex >= 0) {
        const QSignalBlocker codes(u.cboCodigo);
        const QSignalBlocker names(u.cboPosto);
        u.cboCodigo->removeItem(m_studyStationIndex);
        u.cboPosto->removeItem(m_studyStationIndex);
    }
    m_studyStation.reset();
    m_studyStationIndex = -1;
    chooseStudyStation();
}

} // namespace ui
