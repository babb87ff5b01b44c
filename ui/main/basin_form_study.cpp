// The basin form as a study file keeps it: read into report::StudyInputs, filled from one as
// the user would type and choose it, and emptied for a new study.

#include "ui/main/basin_form.h"

#include "ui_frmzeb.h"

#include <QSignalBlocker>

namespace ui {

namespace {

std::optional<std::string> chosenText(const QComboBox* list) {
    if (list->currentIndex() < 0) {
        return std::nullopt;
    }
    return list->currentText().toStdString();
}

} // namespace

report::StudyInputs BasinForm::studyInputs() const {
    const auto& u = m_form;
    // An empty field is kept empty; a number that reads two ways has no value.
    const auto number = [this](const QString& text) -> std::optional<double> {
        return text.isEmpty() ? std::nullopt
                              : report::readTypedNumber(text.toStdString(), m_numberStyle).value;
    };
    report::StudyInputs study;
    study.river = u.txtRio->text().toStdString();
    study.mode = chosenMode();
    study.zone = chosenText(u.cboZona);
    study.landClass = chosenText(u.cboTerreno);
    study.curveNumber = number(u.txtCN->text());
    study.drainageAreaKm2 = number(u.txtArea->text());
    study.channelLengthKm = number(u.txtComprimento->text());
    study.elevationDropM = number(u.txtDesnivel->text());
    if (u.cboDuracao->currentIndex() >= 0) {
        study.durationIndex = u.cboDuracao->currentIndex();
    }
    study.returnPeriodYears = number(u.txtRecorrencia->text());
    // The typed constants of both equations, also while another mode is chosen.
    for (std::size_t i = 0; i < study.ownConstants.size(); ++i) {
        study.ownConstants[i] = number(ownText(i));
        study.idfConstants[i] = number(idfFields()[i]->text());
    }
    return study;
}

void BasinForm::fillRiverAndMode(const report::StudyInputs& study) {
    m_form.txtRio->setText(QString::fromStdString(study.river));
    QRadioButton* option = m_form.Option1;
    if (study.mode == calc::EquationMode::Own) {
        option = m_form.Option2;
    } else if (study.mode == calc::EquationMode::Idf) {
        option = m_form.Option3;
    }
    option->setChecked(true);
}

// Every choice and text is set as the user would make it, so the handlers run as for the user:
// the zone's land classes, the time of concentration.
void BasinForm::fillBasin(const report::StudyInputs& study) {
    auto& u = m_form;
    const auto text = [this](const std::optional<double>& value) {
        return value ? formatPlain(*value) : QString();
    };
    const auto choose = [](QComboBox* list, const std::optional<std::string>& item) {
        if (item) {
            list->setCurrentIndex(list->findText(QString::fromStdString(*item)));
        }
    };
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
        idfFields()[i]->setText(text(study.idfConstants[i]));
    }
}

void BasinForm::clear() {
    auto& u = m_form;
    for (QLineEdit* field : std::initializer_list<QLineEdit*>{
             u.txtRio, u.txtCN, u.txtArea, u.txtComprimento, u.txtDesnivel, u.txtconcentracao,
             u.txtRecorrencia, u.txtK, u.txta, u.txtb, u.txtc, u.txtIdfK, u.txtIdfm, u.txtIdft0,
             u.txtIdfn}) {
        const QSignalBlocker blocker(field);
        field->clear();
    }
    for (QComboBox* list : {u.cboZona, u.cboDuracao}) {
        const QSignalBlocker blocker(list);
        list->setCurrentIndex(-1);
    }
    m_ownTexts = {};
    m_typed = {};
}

} // namespace ui
