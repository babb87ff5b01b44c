#pragma once

#include "refdata/csv/csv_import.h"
#include "refdata/reference_tables.h"

#include <array>
#include <functional>
#include <optional>

#include <QDialog>

class QLineEdit;

namespace ui {

class DialogService;

// The small form of one station: code, name, state, a, b, c and the four betas, typed as a
// line of the stations file (period as decimal mark). "OK" hands the texts to `apply`; a
// refusal is shown and the form stays open with what the user typed.
class StationForm : public QDialog {
    Q_OBJECT
public:
    // The refusal's message, or none when the station was stored.
    using Apply = std::function<std::optional<QString>(const refdata::StationTexts&)>;

    // `station` fills the fields (none: all empty); `dialogs` must outlive the form.
    StationForm(DialogService& dialogs, const QString& title,
                const std::optional<refdata::StationRow>& station, Apply apply, QWidget* parent);

private:
    void confirm();

    DialogService& m_dialogs;
    Apply m_apply;
    QLineEdit* m_codigo = nullptr;
    QLineEdit* m_nome = nullptr;
    QLineEdit* m_estado = nullptr;
    std::array<QLineEdit*, 7> m_constants{};
};

} // namespace ui
