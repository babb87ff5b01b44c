#include "ui/common/report_pdf.h"

#include "chart/hydrograph_figure.h"
#include "ui/common/report_printing.h"

#include <QFile>
#include <QPainter>
#include <QPrinter>
#include <QTemporaryDir>

namespace ui {

std::optional<QByteArray> reportAndChartPdf(const std::vector<report::ReportLine>& lines,
                                            const calc::CalculationRecord& record,
                                            const chart::HydrographCaption& caption) {
    // The PDF printer the printed report is checked against writes only to a named file: it
    // writes into a private folder, and the caller puts the bytes in place whole.
    const QTemporaryDir folder;
    if (!folder.isValid()) {
        return std::nullopt;
    }
    const QString path = folder.filePath(QStringLiteral("relatorio.pdf"));
    const std::unique_ptr<QPrinter> printer = pdfFilePrinter(path);
    setReportOrientation(*printer);
    QPainter painter;
    if (!painter.begin(printer.get())) {
        return std::nullopt;
    }
    paintReportLines(painter, lines);
    if (!printer->newPage()) {
        painter.end();
        return std::nullopt;
    }
    const QRect page = printer->pageLayout().paintRectPixels(printer->resolution());
    chart::paintHydrographFigure(painter, QRectF(QPointF(0, 0), page.size()), record, caption);
    if (!painter.end() || printer->printerState() == QPrinter::Error) {
        return std::nullopt;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return std::nullopt;
    }
    return file.readAll();
}

} // namespace ui
