#include "ui/main/station_picker.h"

#include "ui_frmzeb.h"

#include "ui/common/dialog_service.h"
#include "ui/common/file_export.h"

#include <algorithm>
#include <variant>

#include <QSignalBlocker>

namespace ui {

namespace {

// lblPosto's width in the layout; it widens to show that the station is the study's copy.
constexpr int kStationLabelWidthPx = 495 / 15;

} // namespace

StationPicker::StationPicker(Ui::frmZEB& form, DialogService& dialogs, QWidget& window)
    : m_form(form), m_dialogs(dialogs), m_window(window) {}

std::optional<calc::Station> StationPicker::chosen() const {
    if (m_form.cboPosto->currentIndex() < 0) {
        return std::nullopt;
    }
    return calc::Station{m_form.cboCodigo->currentText().toStdString(),
                         m_form.cboPosto->currentText().toStdString(),
                         {},
                         m_current ? m_current->rainfall : calc::StationRainfall{}};
}

void StationPicker::fill(const std::vector<calc::Station>& stations) {
    QStringList codes;
    QStringList names;
    m_codes.clear();
    for (const calc::Station& station : stations) {
        codes.append(QString::fromStdString(station.code));
        names.append(QString::fromStdString(station.name));
        m_codes.push_back(station.code);
    }
    // An open study's copy of its station stays last in the lists.
    if (m_studyCopy) {
        codes.append(QString::fromStdString(m_studyCopy->code));
        names.append(QString::fromStdString(m_studyCopy->name));
        m_studyCopyIndex = static_cast<int>(names.size()) - 1;
    }
    for (QComboBox* list : {m_form.cboCodigo, m_form.cboPosto}) {
        const QSignalBlocker blocker(list);
        list->clear();
        list->addItems(list == m_form.cboCodigo ? codes : names);
        list->setCurrentIndex(-1);
    }
}

void StationPicker::refill(const std::vector<calc::Station>& stations) {
    const std::string shown = m_form.cboCodigo->currentText().toStdString();
    const bool copyChosen = m_studyCopy && m_form.cboPosto->currentIndex() == m_studyCopyIndex;
    m_current.reset();
    m_form.txtEstado->clear();
    fill(stations);
    // Chosen again as a user picks it, so that edited constants are looked up; a study's copy
    // of its station stays the study's.
    if (copyChosen) {
        m_form.cboPosto->setCurrentIndex(m_studyCopyIndex);
    } else if (!shown.empty()) {
        selectCode(shown);
    }
}

void StationPicker::nameChosen(refdata::ReferenceDatabase& database) {
    // The study's copy of its station is not in the database: it is not looked up.
    if (studyCopyChosen()) {
        return;
    }
    // Until a lookup succeeds no station is current and no state shown, and the code list
    // shows the name's row: the previous station must not be taken for the one now shown. An
    // empty name is not looked up.
    m_current.reset();
    m_form.txtEstado->clear();
    m_form.cboCodigo->setCurrentIndex(m_form.cboPosto->currentIndex());
    const QString name = m_form.cboPosto->currentText();
    if (!name.isEmpty()) {
        lookUp(database, name);
    }
}

void StationPicker::lookUp(refdata::ReferenceDatabase& database, const QString& name) {
    auto found = database.findStationByName(name.toStdString());
    if (!found) {
        m_dialogs.failure(&m_window, found.failure());
        return;
    }
    std::optional<calc::Station>& station = *found;
    if (!station) {
        m_dialogs.databaseMessage(&m_window,
                                  QStringLiteral("O posto \"%1\" não está no banco de dados %2.")
                                      .arg(name, shownPath(database.path())));
        return;
    }
    m_current = std::move(station);
    // Selecting the code runs codeChosen, which finds the name already selected (or, for a
    // repeated name, selects the first row's and looks that up in turn).
    selectCode(m_current->code);
    if (m_current) {
        m_form.txtEstado->setText(QString::fromStdString(m_current->state));
    }
}

void StationPicker::codeChosen() {
    m_form.cboPosto->setCurrentIndex(m_form.cboCodigo->currentIndex());
}

void StationPicker::selectCode(const std::string& code) {
    const auto found = std::find(m_codes.cbegin(), m_codes.cend(), code);
    if (found != m_codes.cend()) {
        m_form.cboCodigo->setCurrentIndex(static_cast<int>(found - m_codes.cbegin()));
    }
}

void StationPicker::chooseStudyStation(const calc::Station& station) {
    auto& u = m_form;
    const QString code = QString::fromStdString(station.code);
    const QString name = QString::fromStdString(station.name);
    for (int i = 0; i < u.cboCodigo->count(); ++i) {
        if (u.cboCodigo->itemText(i) == code && u.cboPosto->itemText(i) == name) {
            u.cboPosto->setCurrentIndex(i);
            break;
        }
    }
    const bool listed =
        m_current && m_current->code == station.code && m_current->name == station.name;
    if (listed && m_current->rainfall == station.rainfall) {
        return;
    }
    const QString where = listed ? QStringLiteral("tem no banco de dados outras constantes")
                                 : QStringLiteral("não está no banco de dados");
    m_dialogs.warning(
        &m_window,
        QStringLiteral("O posto \"%1\" (código %2) do estudo %3: o cálculo usa as constantes "
                       "copiadas no estudo.")
            .arg(name, code, where));

    m_studyCopy = calc::Station{station.code, station.name, {}, station.rainfall};
    {
        const QSignalBlocker codes(u.cboCodigo);
        const QSignalBlocker names(u.cboPosto);
        u.cboCodigo->addItem(code);
        u.cboPosto->addItem(name);
    }
    m_studyCopyIndex = u.cboPosto->count() - 1;
    u.cboPosto->setCurrentIndex(m_studyCopyIndex);
}

bool StationPicker::studyCopyChosen() {
    auto& u = m_form;
    const bool copy = m_studyCopy && u.cboPosto->currentIndex() == m_studyCopyIndex;
    u.lblPosto->setText(copy ? QStringLiteral("Posto (cópia do estudo):")
                             : QStringLiteral("Posto:"));
    u.lblPosto->resize(copy ? u.lblPosto->sizeHint().width() : kStationLabelWidthPx,
                       u.lblPosto->height());
    if (!copy) {
        return false;
    }
    m_current = m_studyCopy;
    u.txtEstado->clear();
    u.cboCodigo->setCurrentIndex(m_studyCopyIndex);
    return true;
}

void StationPicker::clear() {
    for (QComboBox* list : {m_form.cboCodigo, m_form.cboPosto}) {
        const QSignalBlocker blocker(list);
        list->setCurrentIndex(-1);
    }
    {
        const QSignalBlocker blocker(m_form.txtEstado);
        m_form.txtEstado->clear();
    }
    dropStudyCopy();
    m_current.reset();
}

void StationPicker::dropStudyCopy() {
    auto& u = m_form;
    if (m_studyCopyIndex >= 0) {
        const QSignalBlocker codes(u.cboCodigo);
        const QSignalBlocker names(u.cboPosto);
        u.cboCodigo->removeItem(m_studyCopyIndex);
        u.cboPosto->removeItem(m_studyCopyIndex);
    }
    m_studyCopy.reset();
    m_studyCopyIndex = -1;
    studyCopyChosen();
}

} // namespace ui
