#include "ui/main/result_exports.h"

#include "report/record_table.h"
#include "ui/common/dialog_service.h"
#include "ui/common/file_export.h"
#include "ui/common/report_pdf.h"

#include <optional>

namespace ui {

namespace {

// The river's name, as the text export proposes it, with the file kind's extension.
std::optional<QString> askFileName(QWidget* parent, DialogService& dialogs, const QString& title,
                                   const QString& filter, const QString& river,
                                   const QString& suffix) {
    SaveFileRequest request;
    request.title = title;
    request.nameFilters = {filter, QStringLiteral("Todos os arquivos (*)")};
    request.selectedFilter = 0;
    request.defaultSuffix = suffix;
    const QString name = river.trimmed();
    request.proposedName = name.isEmpty() ? QString() : name + QLatin1Char('.') + suffix;
    return dialogs.askSaveFileName(parent, request);
}

} // namespace

void exportReportPdf(QWidget* parent, DialogService& dialogs,
                     const std::vector<report::ReportLine>& lines,
                     const calc::CalculationRecord& record,
                     const chart::HydrographCaption& caption) {
    const std::optional<QString> path =
        askFileName(parent, dialogs, QStringLiteral("Exportar PDF"),
                    QStringLiteral("Documento PDF (*.pdf)"), caption.river, QStringLiteral("pdf"));
    if (!path) {
        return;
    }
    const std::optional<QByteArray> pdf = reportAndChartPdf(lines, record, caption);
    if (!pdf) {
        dialogs.warning(parent,
                        QStringLiteral("O arquivo %1 não foi gravado: não foi possível compor o "
                                       "documento PDF.")
                            .arg(*path));
        return;
    }
    writeExportedFile(parent, dialogs, *path,
                      std::string_view(pdf->constData(), static_cast<std::size_t>(pdf->size())));
}

void exportSeriesCsv(QWidget* parent, DialogService& dialogs, const calc::CalculationRecord& record,
                     const QString& river, const report::CsvStyle& style) {
    const std::optional<QString> path =
        askFileName(parent, dialogs, QStringLiteral("Exportar CSV"),
                    QStringLiteral("Tabela CSV (*.csv)"), river, QStringLiteral("csv"));
    if (!path) {
        return;
    }
    writeExportedFile(parent, dialogs, *path, report::recordCsv(record, style));
}

} // namespace ui
