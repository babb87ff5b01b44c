#include "ui/stations/station_form.h"

#include "numbers/field_reading.h"
#include "numbers/number_format.h"
#include "numbers/number_text.h"
#include "refdata/station_rainfall.h"
#include "ui/common/dialog_service.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QVBoxLayout>

namespace ui {

namespace {

// A number field: its object name, which the tests and the accessibility tools see, and label.
struct NumberField {
    const char* name;
    const char* label;
};
// In the order of StationTexts::constants.
constexpr std::array<NumberField, 7> kConstantFields{{
    {"txta", "&a:"},
    {"txtb", "&b:"},
    {"txtc", "&c:"},
    {"txtB5", "β &5 min:"},
    {"txtB15", "β &15 min:"},
    {"txtB30", "β &30 min:"},
    {"txtBm", "β 1 &h ou mais:"},
}};
// In the order of StationTexts::idf.
constexpr std::array<NumberField, 4> kIdfFields{{
    {"txtIdfK", "&K:"},
    {"txtIdfM", "&m:"},
    {"txtIdfT0", "&t₀ (min):"},
    {"txtIdfN", "e&xpoente n:"},
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
std::string fieldName(const NumberField& field) {
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

    // Created in the order Tab follows: the choice, then the fields of the kind chosen.
    QLayout* choice = kindChoice(row);

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
    layout->addLayout(choice);
    layout->addWidget(hint);
    layout->addWidget(buttons);
    setMinimumWidth(360);
}

// The two kinds side by side, and below them the fields of the one chosen.
QLayout* StationForm::kindChoice(const refdata::StationRow& row) {
    const bool idf = refdata::givenIn(row).idfKind();
    auto* pfafstetter = new QRadioButton(QStringLiteral("&Pfafstetter"), this);
    pfafstetter->setObjectName(QStringLiteral("optPfafstetter"));
    m_idfChosen = new QRadioButton(QStringLiteral("Equação &IDF"), this);
    m_idfChosen->setObjectName(QStringLiteral("optIdf"));
    (idf ? m_idfChosen : pfafstetter)->setChecked(true);
    auto* kinds = new QHBoxLayout;
    kinds->addWidget(new QLabel(QStringLiteral("Chuva:"), this));
    kinds->addWidget(pfafstetter);
    kinds->addWidget(m_idfChosen);
    kinds->addStretch();

    auto* pages = new QStackedWidget(this);
    pages->addWidget(constantsPage(row));
    pages->addWidget(idfPage(row));
    pages->setCurrentIndex(idf ? 1 : 0);
    connect(m_idfChosen, &QRadioButton::toggled, pages, &QStackedWidget::setCurrentIndex);
    auto* choice = new QVBoxLayout;
    choice->addLayout(kinds);
    choice->addWidget(pages);
    return choice;
}

QWidget* StationForm::constantsPage(const refdata::StationRow& row) {
    auto* page = new QWidget(this);
    auto* form = new QFormLayout(page);
    form->setContentsMargins(0, 0, 0, 0);
    const auto& k = row.coefficients;
    const std::array<std::optional<double>, 7> values{k.a, k.b, k.c, k.B5, k.B15, k.B30, k.Bm};
    for (std::size_t i = 0; i < kConstantFields.size(); ++i) {
        m_constants[i] =
            addField(form, page, kConstantFields[i].name,
                     QString::fromUtf8(kConstantFields[i].label), constantText(values[i], m_style));
    }
    return page;
}

QWidget* StationForm::idfPage(const refdata::StationRow& row) {
    auto* page = new QWidget(this);
    auto* form = new QFormLayout(page);
    form->setContentsMargins(0, 0, 0, 0);
    form->addRow(new QLabel(QStringLiteral("i = K·TR^m/(t+t₀)^n: i em mm/h, t e t₀ em minutos, "
                                           "TR em anos"),
                            page));
    for (std::size_t i = 0; i < kIdfFields.size(); ++i) {
        m_idf[i] = addField(form, page, kIdfFields[i].name, QString::fromUtf8(kIdfFields[i].label),
                            constantText(row.idf[i], m_style));
    }
    m_fonte = addField(form, page, "txtFonte", QStringLiteral("&Fonte:"),
                       QString::fromStdString(row.idfSource.value_or(std::string())));
    m_fonte->setPlaceholderText(QStringLiteral("a publicação ou o estudo de onde vem a equação"));
    return page;
}

// Each field's number read by the two readings; a number read whole goes on as the stations
// file writes it, any other text as typed, for the stations file's own refusal.
bool StationForm::readNumbers(refdata::StationTexts& texts) {
    const bool idf = m_idfChosen->isChecked();
    const auto read = [this](QLineEdit* field, const NumberField& named, std::string& text) {
        const std::string typed = field->text().toStdString();
        const report::TypedNumber number = report::readTypedNumber(typed, m_style);
        if (!number.value) {
            m_dialogs.warning(this, QString::fromStdString(report::ambiguousNumberMessage(
                                        typed, fieldName(named), number, m_style)));
            field->setFocus();
            return false;
        }
        text = number.whole ? util::exactNumberText(*number.value) : typed;
        return true;
    };
    for (std::size_t i = 0; !idf && i < m_constants.size(); ++i) {
        if (!read(m_constants[i], kConstantFields[i], texts.constants[i])) {
            return false;
        }
    }
    for (std::size_t i = 0; idf && i < m_idf.size(); ++i) {
        if (!read(m_idf[i], kIdfFields[i], texts.idf[i])) {
            return false;
        }
    }
    if (idf) {
        texts.idfSource = m_fonte->text().toStdString();
    }
    return true;
}

void StationForm::confirm() {
    refdata::StationTexts texts{m_codigo->text().toStdString(),
                                m_nome->text().toStdString(),
                                m_estado->text().toStdString(),
                                {},
                                {},
                                {}};
    if (!readNumbers(texts)) {
        return;
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
