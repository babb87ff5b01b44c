#pragma once

#include "calc/record.h"
#include "calc/run_request.h"
#include "numbers/field_reading.h"
#include "numbers/number_style.h"
#include "refdata/reference_database.h"
#include "report/study_file.h"

#include <array>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include <QString>

class QLabel;
class QLineEdit;
class QWidget;

namespace Ui {
class frmZEB;
}

namespace ui {

class DialogService;

// Why the fields give no run: the field to correct and the message that says how.
struct RequestRefusal {
    QWidget* field;
    QString message;
};

// The main window's basin and rainfall fields: what they ask for as a run or why they give
// none, tc kept live from the length and drop, the numbers tidied on leaving a field, the
// equation's three modes with the typed constants, the zone's land classes and the curve number.
class BasinForm {
public:
    BasinForm(Ui::frmZEB& form, DialogService& dialogs, QWidget& window,
              report::NumberStyle numberStyle);

    // The run the fields ask for with this station, or why they give none, showing nothing.
    std::variant<calc::RunRequest, RequestRefusal>
    readRequest(const std::optional<calc::Station>& station) const;
    // The refusal's message shown, and its field given the focus.
    void showRefusal(const RequestRefusal& refusal);
    // True when every field the mode requires is filled.
    bool isComplete() const { return firstEmptyRequiredField() == nullptr; }
    // A field whose number reads two ways is not read: a message says how to write it and the
    // field keeps its text and takes the focus. True when one was refused; before a run the
    // fields of the mode are checked, before a study is saved every field.
    bool refuseAmbiguousNumber(bool everyField);

    // "Automática" chosen: the typed constants wait while the boxes show those of the last run.
    void automaticChosen(const calc::CalculationRecord& record, bool automaticRun);
    // "Própria" chosen: the typed constants come back.
    void ownChosen();
    // "Equação IDF" chosen: its four fields open with what they held; K, a, b and c wait.
    void idfChosen();
    // An IDF equation from elsewhere (a station that holds one) in the four fields, in
    // "Equação IDF", as if typed.
    void showIdfEquation(const calc::IdfEquation& equation);
    // Tab enters the "Equação" frame at its selected option only.
    void updateOptionTabStops();
    // In "Automática", K, a, b and c as the last run used them when it ran in that mode;
    // nothing otherwise.
    void showConstantsUsed(const calc::CalculationRecord& record, bool automaticRun);

    // The length or the drop typed: tc follows once both read.
    void lengthOrDropChanged(const QLineEdit* other);
    // The area left: a whole number is shown grouped.
    void areaLeft();
    // On leaving the length or drop, with both filled: a value that leaves tc undefined is
    // refused with a message and the field at fault keeps the focus.
    void lengthOrDropLeft(QLineEdit* field);

    // A zone chosen: its land classes listed; a land class chosen: its curve number shown.
    void zoneChosen(refdata::ReferenceDatabase& database);
    void landClassChosen(refdata::ReferenceDatabase& database);
    // Rebuilt without running a handler; no land class is selected afterwards and the curve
    // number stays as it was.
    void setLandClasses(const std::vector<std::string>& landClasses);

    // The fields as a study keeps them (the station apart): numbers as the fields read now.
    report::StudyInputs studyInputs() const;
    // The river and the mode of a study, set as the user sets them.
    void fillRiverAndMode(const report::StudyInputs& study);
    // The rest of a study's fields, set as the user sets them, so that the handlers run.
    void fillBasin(const report::StudyInputs& study);
    // Every text and choice emptied without running a handler; the land classes and mode
    // are the window's to reset.
    void clear();

private:
    struct ConcentrationTime {
        report::TypedNumber length;
        report::TypedNumber drop;
        std::optional<double> hours;
    };
    ConcentrationTime attemptConcentrationTime() const;
    bool refuseUndefinedTime(QLineEdit* left);
    bool refuseAmbiguous(QLineEdit* field, const QLabel* label);
    void formatOnLeaving(QLineEdit* field);
    QWidget* firstEmptyRequiredField() const;
    std::optional<RequestRefusal> firstAmbiguousNumber(bool everyField) const;
    std::optional<RequestRefusal> ambiguity(const QString& text, QWidget* field,
                                            const QString& name) const;
    calc::EquationMode chosenMode() const;
    std::array<QLineEdit*, 4> ownFields() const;
    std::array<QLineEdit*, 4> idfFields() const;
    // K, a, b and c leave their boxes, which are disabled; the typed texts wait.
    void putOwnTextsAway();
    // K, a, b and c as typed in "Própria"; in "Automática" the typed texts wait here.
    QString ownText(std::size_t index) const;
    void setOwnText(std::size_t index, const QString& text);
    report::TypedNumber readTyped(const QLineEdit* field) const;
    double readField(const QLineEdit* field) const;
    QString formatPlain(double value) const;

    Ui::frmZEB& m_form;
    DialogService& m_dialogs;
    QWidget& m_window;
    report::NumberStyle m_numberStyle;
    // The length, drop and tc the fields give now, as last computed.
    struct TypedBasin {
        std::optional<double> channelLengthKm = 0.0;
        std::optional<double> elevationDropM = 0.0;
        double concentrationTimeH = 0;
    } m_typed;
    std::array<QString, 4> m_ownTexts;
    bool m_refusing = false;
};

} // namespace ui
