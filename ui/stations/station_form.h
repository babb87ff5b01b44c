#pragma once

#include "numbers/number_style.h"
#include "refdata/reference_tables.h"
#include "refdata/station_texts.h"

#include <array>
#include <functional>
#include <optional>

#include <QDialog>

class QLineEdit;

namespace ui {

class DialogService;

// The small form of one station: code, name, state, a, b, c and the four betas, its numbers
// read as the main window reads its fields. "OK" hands the station as a line of the stations
// file to `apply`; a refusal (or a number that reads two ways) is shown and the form stays open
// with what the user typed; a station stored with a warning shows it.
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
    void confirm();

    DialogService& m_dialogs;
    report::NumberStyle m_style;
    Apply m_apply;
    QLineEdit* m_codigo = nullptr;
    QLineEdit* m_nome = nullptr;
    QLineEdit* m_estado = nullptr;
    std::array<QLineEdit*, 7> m_constants{};
};

} // namespace ui
