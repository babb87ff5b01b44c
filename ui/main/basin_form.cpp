#include "ui/main/basin_form.h"

#include "ui_frmzeb.h"

#include "calc/concentration.h"
#include "numbers/number_format.h"
#include "ui/common/dialog_service.h"
#include "ui/common/file_export.h"

#include <algorithm>

#include <QSignalBlocker>

namespace ui {

namespace {

// The IDF equation's fields are named apart from the own equation's K.
const QString kOfIdf = QStringLiteral(" da equação IDF");

// A station whose rainfall is an IDF equation has no constants for mode "Automática".
QString idfStationMessage(const calc::Station& station) {
    return QStringLiteral("O posto \"%1\" tem uma equação IDF, não as constantes de Pfafstetter "
                          "que o modo \"Automática\" usa.")
        .arg(QString::fromStdString(station.name));
}

} // namespace

BasinForm::BasinForm(Ui::frmZEB& form, DialogService& dialogs, QWidget& window,
                     report::NumberStyle numberStyle)
    : m_form(form), m_dialogs(dialogs), m_window(window), m_numberStyle(std::move(numberStyle)) {}

std::variant<calc::RunRequest, RequestRefusal>
BasinForm::readRequest(const std::optional<calc::Station>& station) const {
    auto& u = m_form;
    if (QWidget* empty = firstEmptyRequiredField()) {
        return RequestRefusal{empty, QStringLiteral("Todos os campos devem estar preenchidos")};
    }
    if (auto ambiguous = firstAmbiguousNumber(false)) {
        return *ambiguous;
    }
    calc::RunRequest request;
    request.mode = chosenMode();
    request.durationIndex = u.cboDuracao->currentIndex();
    request.curveNumber = readField(u.txtCN);
    request.drainageAreaKm2 = readField(u.txtArea);
    request.returnPeriodYears = readField(u.txtRecorrencia);
    if (request.mode == calc::EquationMode::Automatic) {
        if (station && station->idf()) {
            return RequestRefusal{u.cboPosto, idfStationMessage(*station)};
        }
        if (station) {
            request.station = *station->coefficients();
        }
    } else if (request.mode == calc::EquationMode::Own) {
        request.ownConstants = {readField(u.txtK), readField(u.txta), readField(u.txtb),
                                readField(u.txtc)};
    } else {
        request.idfEquation = {readField(u.txtIdfK), readField(u.txtIdfm), readField(u.txtIdft0),
                               readField(u.txtIdfn)};
    }
    request.channelLengthKm = m_typed.channelLengthKm;
    request.elevationDropM = m_typed.elevationDropM;
    request.concentrationTimeH = m_typed.concentrationTimeH;
    return request;
}

void BasinForm::showRefusal(const RequestRefusal& refusal) {
    m_dialogs.warning(&m_window, refusal.message);
    refusal.field->setFocus();
}

// ---- Length, drop and tc -----------------------------------------------------------------

// The length and drop as typed, and tc when both read and it is defined.
BasinForm::ConcentrationTime BasinForm::attemptConcentrationTime() const {
    ConcentrationTime attempt{readTyped(m_form.txtComprimento), readTyped(m_form.txtDesnivel), {}};
    if (attempt.length.value && attempt.drop.value) {
        attempt.hours = calc::computeConcentrationTime(*attempt.length.value, *attempt.drop.value);
    }
    return attempt;
}

void BasinForm::lengthOrDropChanged(const QLineEdit* other) {
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
    m_form.txtconcentracao->setText(
        attempt.hours ? QString::fromStdString(report::formatPattern(
                            *attempt.hours, report::Pattern::Plain3, m_numberStyle))
                      : QString());
}

void BasinForm::areaLeft() {
    formatOnLeaving(m_form.txtArea);
}

void BasinForm::lengthOrDropLeft(QLineEdit* field) {
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

bool BasinForm::refuseUndefinedTime(QLineEdit* left) {
    auto& u = m_form;
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
    m_dialogs.warning(
        &m_window,
        QStringLiteral("O tempo de concentração não pode ser calculado: %1.").arg(reason));
    cause->setFocus();
    return true;
}

void BasinForm::formatOnLeaving(QLineEdit* field) {
    const report::TypedNumber number = readTyped(field);
    if (!number.value || !number.whole) {
        return;
    }
    field->setText(QString::fromStdString(
        report::formatPattern(*number.value, report::Pattern::Grouped, m_numberStyle)));
    // A narrow field shows where its number starts, not a tail like ".234,50".
    field->setCursorPosition(0);
}

// ---- Required and ambiguous fields -------------------------------------------------------

// The first required field of the mode that is empty, in the window's order; none.
QWidget* BasinForm::firstEmptyRequiredField() const {
    auto& u = m_form;
    // In the window's order, from the top; a blank counts as filled.
    std::vector<QWidget*> required{u.txtCN, u.txtArea, u.txtComprimento, u.txtDesnivel,
                                   u.cboDuracao};
    const calc::EquationMode mode = chosenMode();
    if (mode == calc::EquationMode::Automatic) {
        required.insert(required.begin(), u.cboCodigo);
    }
    if (mode != calc::EquationMode::Own) {
        required.push_back(u.txtRecorrencia);
    }
    if (mode != calc::EquationMode::Automatic) {
        const auto constants = mode == calc::EquationMode::Own ? ownFields() : idfFields();
        required.insert(required.end(), constants.begin(), constants.end());
    }
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

std::optional<RequestRefusal> BasinForm::firstAmbiguousNumber(bool everyField) const {
    auto& u = m_form;
    const calc::EquationMode mode = chosenMode();
    const bool own = mode == calc::EquationMode::Own || everyField;
    const bool idf = mode == calc::EquationMode::Idf || everyField;
    const auto name = [](const QLabel* label, const QString& more = {}) {
        return label->text().chopped(1) + more;
    };
    const std::tuple<QLineEdit*, QString, QString> read[] = {
        {u.txtCN, u.txtCN->text(), name(u.lblCN)},
        {u.txtArea, u.txtArea->text(), name(u.lblArea)},
        {u.txtComprimento, u.txtComprimento->text(), name(u.lblComprimento)},
        {u.txtDesnivel, u.txtDesnivel->text(), name(u.lblDesnivel)},
        {mode != calc::EquationMode::Own || everyField ? u.txtRecorrencia : nullptr,
         u.txtRecorrencia->text(), name(u.lblRecorrencia)},
        {own ? u.txtK : nullptr, ownText(0), name(u.lblK)},
        {own ? u.txta : nullptr, ownText(1), name(u.lbla)},
        {own ? u.txtb : nullptr, ownText(2), name(u.lblb)},
        {own ? u.txtc : nullptr, ownText(3), name(u.lblc)},
        {idf ? u.txtIdfK : nullptr, u.txtIdfK->text(), name(u.lblIdfK, kOfIdf)},
        {idf ? u.txtIdfm : nullptr, u.txtIdfm->text(), name(u.lblIdfm, kOfIdf)},
        {idf ? u.txtIdft0 : nullptr, u.txtIdft0->text(), name(u.lblIdft0, kOfIdf)},
        {idf ? u.txtIdfn : nullptr, u.txtIdfn->text(), name(u.lblIdfn, kOfIdf)},
    };
    for (const auto& [field, text, fieldName] : read) {
        if (field != nullptr) {
            if (auto refusal = ambiguity(text, field, fieldName)) {
                return refusal;
            }
        }
    }
    return std::nullopt;
}

bool BasinForm::refuseAmbiguousNumber(bool everyField) {
    const auto refusal = firstAmbiguousNumber(everyField);
    if (refusal) {
        showRefusal(*refusal);
    }
    return refusal.has_value();
}

bool BasinForm::refuseAmbiguous(QLineEdit* field, const QLabel* label) {
    const auto refusal = ambiguity(field->text(), field, label->text().chopped(1));
    if (refusal) {
        showRefusal(*refusal);
    }
    return refusal.has_value();
}

std::optional<RequestRefusal> BasinForm::ambiguity(const QString& text, QWidget* field,
                                                   const QString& name) const {
    const report::TypedNumber number = report::readTypedNumber(text.toStdString(), m_numberStyle);
    if (number.value) {
        return std::nullopt;
    }
    return RequestRefusal{field,
                          QString::fromStdString(report::ambiguousNumberMessage(
                              text.toStdString(), name.toStdString(), number, m_numberStyle))};
}

// ---- Zone, land class and curve number ---------------------------------------------------

void BasinForm::zoneChosen(refdata::ReferenceDatabase& database) {
    const QString zone = m_form.cboZona->currentText();
    const auto found = database.landClassesOfZone(zone.toStdString());
    if (!found) {
        m_dialogs.failure(&m_window, found.failure());
        return;
    }
    setLandClasses(*found);
}

void BasinForm::setLandClasses(const std::vector<std::string>& landClasses) {
    QStringList terrains;
    terrains.reserve(static_cast<qsizetype>(landClasses.size()));
    for (const std::string& landClass : landClasses) {
        terrains.append(QString::fromStdString(landClass));
    }
    const QSignalBlocker blocker(m_form.cboTerreno);
    m_form.cboTerreno->clear();
    m_form.cboTerreno->addItems(terrains);
    m_form.cboTerreno->setCurrentIndex(-1);
}

void BasinForm::landClassChosen(refdata::ReferenceDatabase& database) {
    const QString landClass = m_form.cboTerreno->currentText();
    if (landClass.isEmpty()) {
        return;
    }
    // A failed lookup leaves no curve number for a run to take as the new land class's.
    m_form.txtCN->clear();
    const auto found = database.findCurveNumber(landClass.toStdString());
    if (!found) {
        m_dialogs.failure(&m_window, found.failure());
        return;
    }
    const std::optional<double>& curveNumber = *found;
    if (!curveNumber) {
        m_dialogs.databaseMessage(&m_window,
                                  QStringLiteral("O terreno \"%1\" não está no banco de dados %2.")
                                      .arg(landClass, shownPath(database.path())));
        return;
    }
    m_form.txtCN->setText(formatPlain(*curveNumber));
}

report::TypedNumber BasinForm::readTyped(const QLineEdit* field) const {
    return report::readTypedNumber(field->text().toStdString(), m_numberStyle);
}

// A field that reads no number (the ambiguous ones are refused before a run) reads as 0.
double BasinForm::readField(const QLineEdit* field) const {
    return readTyped(field).value.value_or(0);
}

QString BasinForm::formatPlain(double value) const {
    return QString::fromStdString(report::formatPlain(value, m_numberStyle));
}

} // namespace ui
