#pragma once

#include "numbers/number_style.h"
#include "refdata/reference_tables.h"
#include "refdata/station_texts.h"

#include <array>
#include <functional>
#include <optional>

#include <QDialog>

class QLayout;
class QLineEdit;
class QRadioButton;

namespace ui {

class DialogService;

// The small form of one station: code, name, state and its rainfall relation, a choice between
// Pfafstetter's constants (a, b, c and the four betas) and an IDF equation (K, m, t0, n and its
// source), its numbers read as the main window reads its fields. "OK" hands the station as a line
// of the stations file to `apply`; a refusal (or a number that reads two ways) is shown and the
// form stays open with what the user typed; a station stored with a warning shows it.
class StationForm : public QDialog {
    Q_OBJECT
public:
    // The refusal's message, or none when the station was stored.
    using Apply = std::function<std::optional<QString>(const refdata::StationTexts&)>;

    // `station` fills the fields (none: all empty), numbers in `style`; `dialogs` must outlive
    // the form.
    StationForm(DialogService& dialogs, const QString& title,
                const std::optional<refdata::StationRow>& station, report::NumberStyle style,
                Apply apply, QWidget* parent);

private:
    QWidget* constantsPage(const refdata::StationRow& row);
    QWidget* idfPage(const refdata::StationRow& row);
    QLayout* kindChoice(const refdata::StationRow& row);
    // The numbers of the chosen kind into `texts`; false when one reads two ways (it is shown).
    bool readNumbers(refdata::StationTexts& texts);
    void confirm();

    DialogService& m_dialogs;
    report::NumberStyle m_style;
    Apply m_apply;
    QLineEdit* m_codigo = nullptr;
    QLineEdit* m_nome = nullptr;
    QLineEdit* m_estado = nullptr;
    std::array<QLineEdit*, 7> m_constants{};
    std::array<QLineEdit*, 4> m_idf{};
    QLineEdit* m_fonte = nullptr;
    QRadioButton* m_idfChosen = nullptr;
};

} // namespace ui
