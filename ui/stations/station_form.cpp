#include "ui/stations/station_form.h"

#include "numbers/field_reading.h"
#include "numbers/number_format.h"
#include "numbers/number_text.h"
#include "ui/common/dialog_service.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace ui {

namespace {

// The constants in the order of StationTexts::constants, with the field names the tests and
// the accessibility tools see.
struct ConstantField {
    const char* name;
    const char* label;
};
constexpr std::array<ConstantField, 7> kConstantFields{{
    {"txta", "&a:"},
    {"txtb", "&b:"},
    {"txtc", "&c:"},
    {"txtB5", "β &5 min:"},
    {"txtB15", "β &15 min:"},
    {"txtB30", "β &30 min:"},
    {"txtBm", "β 1 &h ou mais:"},
}};

QLineEdit* addField(QFormLayout* form, QWidget* parent, const char* name, const QString& label,
                    const QString& text) {
    auto* field = new QLineEdit(text, parent);
    field->setObjectName(QString::fromLatin1(name));
    form->addRow(label, field);
    return field;
}

// A constant exactly as stored, with the user's decimal mark; a missing one (a null of an old
// file) as empty.
QString constantText(const std::optional<double>& value, const report::NumberStyle& style) {
    return value ? QString::fromStdString(report::formatExact(*value, style)) : QString();
}

// The field's name in messages: its label without the access key and the colon.
std::string fieldName(const ConstantField& field) {
    std::string label = field.label;
    std::erase(label, '&');
    label.pop_back();
    return label;
}

} // namespace

StationForm::StationForm(DialogService& dialogs, const QString& title,
                         const std::optional<refdata::StationRow>& station,
                         report::NumberStyle style, Apply apply, QWidget* parent)
    : QDialog(parent), m_dialogs(dialogs), m_style(std::move(style)), m_apply(std::move(apply)) {
    setWindowTitle(title);
    setObjectName(QStringLiteral("frmPosto"));
    const refdata::StationRow row = station.value_or(refdata::StationRow{});
    const auto text = [](const std::optional<std::string>& value) {
        return QString::fromStdString(value.value_or(std::string()));
    };

    auto* form = new QFormLayout;
    m_codigo = addField(form, this, "txtCodigoPosto", QStringLiteral("C&ódigo:"), text(row.code));
    m_nome = addField(form, this, "txtNomePosto", QStringLiteral("&Nome:"), text(row.name));
    m_estado = addField(form, this, "txtEstadoPosto", QStringLiteral("&Estado:"), text(row.state));
    const auto& k = row.coefficients;
    const std::array<std::optional<double>, 7> values{k.a, k.b, k.c, k.B5, k.B15, k.B30, k.Bm};
    for (std::size_t i = 0; i < kConstantFields.size(); ++i) {
        m_constants[i] =
            addField(form, this, kConstantFields[i].name,
                     QString::fromUtf8(kConstantFields[i].label), constantText(values[i], m_style));
    }

    auto* hint = new QLabel(QStringLiteral("Escreva os números como nos campos da janela "
                                           "principal, sem separador de milhares."),
                            this);
    hint->setObjectName(QStringLiteral("lblDica"));
    hint->setWordWrap(true);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Cancelar"));
    connect(buttons, &QDialogButtonBox::accepted, this, &StationForm::confirm);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(hint);
    layout->addWidget(buttons);
    setMinimumWidth(360);
}

void StationForm::confirm() {
    refdata::StationTexts texts{m_codigo->text().toStdString(),
                                m_nome->text().toStdString(),
                                m_estado->text().toStdString(),
                                {}};
    for (std::size_t i = 0; i < m_constants.size(); ++i) {
        const std::string typed = m_constants[i]->text().toStdString();
        const report::TypedNumber number = report::readTypedNumber(typed, m_style);
        if (!number.value) {
            m_dialogs.warning(this, QString::fromStdString(report::ambiguousNumberMessage(
                                        typed, fieldName(kConstantFields[i]), number, m_style)));
            m_constants[i]->setFocus();
            return;
        }
        // A number read whole goes on as the stations file writes it; any other text as typed,
        // for the stations file's own refusal.
        texts.constants[i] = number.whole ? util::exactNumberText(*number.value) : typed;
    }
    if (const std::optional<QString> refusal = m_apply(texts)) {
        m_dialogs.warning(this, *refusal);
        return;
    }
    const auto stored = refdata::stationFromTexts(texts);
    if (stored) {
        if (const auto warning = refdata::stationWarning(*stored)) {
            m_dialogs.warning(this, QStringLiteral("O posto foi gravado, mas confira-o: %1.")
                                        .arg(QString::fromStdString(*warning)));
        }
    }
    accept();
}

} // namespace ui
