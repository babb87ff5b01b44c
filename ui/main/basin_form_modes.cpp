// The basin form's equation modes: "Automática", "Própria" and "Equação IDF", the constant
// boxes each one enables or fills, and the tab stops of the frame's options.

#include "ui/main/basin_form.h"

#include "ui_frmzeb.h"

namespace ui {

void BasinForm::automaticChosen(const calc::CalculationRecord& record, bool automaticRun) {
    putOwnTextsAway();
    for (QLineEdit* field : idfFields()) {
        field->setEnabled(false);
    }
    showConstantsUsed(record, automaticRun);
}

void BasinForm::ownChosen() {
    const auto fields = ownFields();
    for (std::size_t i = 0; i < fields.size(); ++i) {
        const QSignalBlocker blocker(fields[i]);
        fields[i]->setText(m_ownTexts[i]);
        fields[i]->setEnabled(true);
    }
    for (QLineEdit* field : idfFields()) {
        field->setEnabled(false);
    }
}

// The IDF fields keep their texts while disabled, so nothing has to come back.
void BasinForm::idfChosen() {
    putOwnTextsAway();
    showConstantsUsed({}, false);
    for (QLineEdit* field : idfFields()) {
        field->setEnabled(true);
    }
}

void BasinForm::showIdfEquation(const calc::IdfEquation& equation) {
    m_form.Option3->setChecked(true);
    const double constants[] = {equation.k, equation.m, equation.t0Min, equation.n};
    const auto fields = idfFields();
    for (std::size_t i = 0; i < fields.size(); ++i) {
        fields[i]->setText(formatPlain(constants[i]));
        // A narrow field shows where the number begins.
        fields[i]->setCursorPosition(0);
    }
}

// Only the boxes of "Própria" hold typed texts: in the other modes they show the run's.
void BasinForm::putOwnTextsAway() {
    const auto fields = ownFields();
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (fields[i]->isEnabled()) {
            m_ownTexts[i] = fields[i]->text();
        }
        fields[i]->setEnabled(false);
    }
}

// K depends on the duration and the return period; a, b and c are the station's.
void BasinForm::showConstantsUsed(const calc::CalculationRecord& record, bool automaticRun) {
    if (m_form.Option2->isChecked()) {
        return;
    }
    const calc::Entry used[] = {record.frequencyFactorK, record.idfCoefficientA,
                                record.idfCoefficientB, record.idfCoefficientC};
    const auto fields = ownFields();
    for (std::size_t i = 0; i < fields.size(); ++i) {
        const QString text = automaticRun && used[i] ? formatPlain(*used[i]) : QString();
        const QSignalBlocker blocker(fields[i]);
        fields[i]->setText(text);
        fields[i]->setToolTip(text);
        fields[i]->setCursorPosition(0);
    }
}

// The other option is reached by the arrow keys or the mouse.
void BasinForm::updateOptionTabStops() {
    const auto options = {m_form.Option1, m_form.Option2, m_form.Option3};
    const bool anySelected =
        std::any_of(options.begin(), options.end(), [](auto* o) { return o->isChecked(); });
    for (QRadioButton* option : options) {
        option->setFocusPolicy(option->isChecked() || !anySelected ? Qt::StrongFocus
                                                                   : Qt::ClickFocus);
    }
}

calc::EquationMode BasinForm::chosenMode() const {
    if (m_form.Option2->isChecked()) {
        return calc::EquationMode::Own;
    }
    return m_form.Option3->isChecked() ? calc::EquationMode::Idf : calc::EquationMode::Automatic;
}

std::array<QLineEdit*, 4> BasinForm::idfFields() const {
    return {m_form.txtIdfK, m_form.txtIdfm, m_form.txtIdft0, m_form.txtIdfn};
}

std::array<QLineEdit*, 4> BasinForm::ownFields() const {
    return {m_form.txtK, m_form.txta, m_form.txtb, m_form.txtc};
}

QString BasinForm::ownText(std::size_t index) const {
    return m_form.Option2->isChecked() ? ownFields().at(index)->text() : m_ownTexts.at(index);
}

void BasinForm::setOwnText(std::size_t index, const QString& text) {
    if (m_form.Option2->isChecked()) {
        ownFields().at(index)->setText(text);
    } else {
        m_ownTexts.at(index) = text;
    }
}

} // namespace ui
