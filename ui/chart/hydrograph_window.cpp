#include "ui/chart/hydrograph_window.h"

#include "look/colours.h"
#include "look/fonts.h"
#include "ui/common/dialog_service.h"
#include "ui/common/file_export.h"
#include "ui/common/out_of_date.h"

#include <memory>

#include <QChart>
#include <QChartView>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace ui {

namespace {

struct FormatChoice {
    chart::FigureFormat format;
    const char* caption; // the button's, with its access key
    const char* filter;
    const char* suffix;
};

constexpr FormatChoice kFormats[] = {
    {chart::FigureFormat::Png, "Salvar P&NG...", "Imagem PNG (*.png)", "png"},
    {chart::FigureFormat::Svg, "Salvar &SVG...", "Desenho SVG (*.svg)", "svg"},
    {chart::FigureFormat::Pdf, "Salvar P&DF...", "Documento PDF (*.pdf)", "pdf"},
};

const FormatChoice& choiceOf(chart::FigureFormat format) {
    for (const FormatChoice& choice : kFormats) {
        if (choice.format == format) {
            return choice;
        }
    }
    return kFormats[0];
}

} // namespace

HydrographWindow::HydrographWindow(DialogService& dialogs, std::function<bool()> bringUpToDate,
                                   QWidget* parent)
    : QWidget(parent, Qt::Window), m_dialogs(dialogs), m_bringUpToDate(std::move(bringUpToDate)) {
    setWindowTitle(QStringLiteral("ZEB - Hidrograma"));
    setObjectName(QStringLiteral("frmHidrograma"));

    m_view = new QChartView(this);
    m_view->setRenderHint(QPainter::Antialiasing);
    m_view->setMinimumSize(880, 560);

    m_notes = new QLabel(this);
    m_notes->setObjectName(QStringLiteral("lblNotas"));
    m_notes->setWordWrap(true);
    m_notes->setFont(look::chartFont(14));
    m_notes->setStyleSheet(QStringLiteral("color: %1;").arg(look::kNoteColour.name()));
    m_notes->setVisible(false);

    m_outOfDate = outOfDateLabel(this);

    auto* commands = new QHBoxLayout;
    commands->addStretch();
    for (const FormatChoice& choice : kFormats) {
        auto* button = new QPushButton(QString::fromUtf8(choice.caption), this);
        button->setObjectName(QStringLiteral("cmdSalvar") +
                              QString::fromLatin1(choice.suffix).toUpper());
        const chart::FigureFormat format = choice.format;
        connect(button, &QPushButton::clicked, this, [this, format] { saveFigure(format); });
        commands->addWidget(button);
    }
    auto* closeButton = new QPushButton(QStringLiteral("&Fechar"), this);
    closeButton->setObjectName(QStringLiteral("cmdFechar"));
    connect(closeButton, &QPushButton::clicked, this, &QWidget::close);
    commands->addWidget(closeButton);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_outOfDate);
    layout->addWidget(m_view, 1);
    layout->addWidget(m_notes);
    layout->addLayout(commands);
}

HydrographWindow::~HydrographWindow() = default;

void HydrographWindow::showRecord(const calc::CalculationRecord& record,
                                  const chart::HydrographCaption& caption) {
    m_record = record;
    m_caption = caption;
    // The view takes the new chart but only lets go of the one it showed before (at first
    // the empty chart it made itself): that one is ours to delete, or every run leaks a chart.
    const std::unique_ptr<QChart> previous(m_view->chart());
    m_view->setChart(chart::buildHydrographChart(record, caption).release());
    const QStringList notes = chart::figureNotes(record);
    m_notes->setText(notes.join(QStringLiteral("\n")));
    m_notes->setVisible(!notes.isEmpty());
}

void HydrographWindow::setOutOfDate(bool outOfDate) {
    m_outOfDate->setVisible(outOfDate);
    m_view->setEnabled(!outOfDate);
}

QChart* HydrographWindow::chart() const {
    return m_view->chart();
}

QString HydrographWindow::notesText() const {
    return m_notes->isVisible() ? m_notes->text() : QString();
}

void HydrographWindow::saveFigure(chart::FigureFormat format) {
    if (m_bringUpToDate && !m_bringUpToDate()) {
        return;
    }
    const FormatChoice& choice = choiceOf(format);
    const QString suffix = QString::fromLatin1(choice.suffix);
    const QString river = m_caption.river.trimmed();
    const std::optional<QString> path = m_dialogs.askSaveFileName(
        this, SaveFileRequest::ofKind(QStringLiteral("Salvar Gráfico"),
                                      QString::fromUtf8(choice.filter), suffix,
                                      (river.isEmpty() ? QStringLiteral("Hidrograma") : river) +
                                          QLatin1Char('.') + suffix));
    if (!path) {
        return;
    }
    const QByteArray bytes = chart::hydrographFigureFile(m_record, m_caption, format);
    writeExportedFile(this, m_dialogs, *path,
                      std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
}

} // namespace ui
