#include "ui/common/report_printing.h"

#include "look/fonts.h"
#include "ui/common/print_system.h"

#include <algorithm>

#include <QFontMetricsF>
#include <QPageLayout>
#include <QPagedPaintDevice>
#include <QPaintDevice>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>

namespace ui {

void setReportOrientation(QPagedPaintDevice& device) {
    device.setPageOrientation(QPageLayout::Landscape);
}

void paintReportLines(QPainter& painter, const std::vector<report::ReportLine>& lines) {
    const QFont regular = look::reportFont(false);
    const QFont bold = look::reportFont(true);
    painter.save();
    painter.setPen(Qt::black);
    // Metrics of the device, not of the screen: a printer's resolution differs.
    const QFontMetricsF metrics(regular, painter.device());
    // A report whose figures widened their fields, or that ends with notes, may not fit the
    // page at its size: it is drawn smaller, never cut.
    qreal widest = 0;
    for (const report::ReportLine& line : lines) {
        widest = std::max(widest, metrics.horizontalAdvance(QString::fromStdString(line.text)));
    }
    const qreal tallest = metrics.lineSpacing() * static_cast<qreal>(lines.size());
    const qreal scale = std::min({qreal(1), painter.device()->width() / std::max(widest, qreal(1)),
                                  painter.device()->height() / tallest});
    painter.scale(scale, scale);
    // Every line moves the position down by the regular line height, the bold one included,
    // and an empty line only moves it.
    qreal baseline = metrics.ascent();
    for (const report::ReportLine& line : lines) {
        if (!line.text.empty()) {
            painter.setFont(line.bold ? bold : regular);
            painter.drawText(QPointF(0, baseline), QString::fromStdString(line.text));
        }
        baseline += metrics.lineSpacing();
    }
    painter.restore();
}

std::optional<QString> printReport(QPrinter& printer,
                                   const std::vector<report::ReportLine>& lines) {
    const bool systemPrinter = printer.outputFormat() == QPrinter::NativeFormat;
    if (systemPrinter) {
        if (std::optional<QString> refusal = printerRefusal(printer.printerName())) {
            return refusal;
        }
    }
    setReportOrientation(printer);
    QPainter painter;
    if (!painter.begin(&printer)) {
        return QStringLiteral("a impressora não aceitou o documento");
    }
    paintReportLines(painter, lines);
    const bool ended = painter.end();
    if (!ended || printer.printerState() == QPrinter::Error) {
        return QStringLiteral("a impressora não concluiu o documento");
    }
    // Ending the document handed it to the print service; its answer is known only there.
    return systemPrinter ? jobFailure() : std::nullopt;
}

std::unique_ptr<QPrinter> defaultSystemPrinter() {
    const QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (info.isNull()) {
        return nullptr;
    }
    auto printer = std::make_unique<QPrinter>(info, QPrinter::HighResolution);
    printer->setDocName(QStringLiteral("ZEB"));
    return printer;
}

std::unique_ptr<QPrinter> pdfFilePrinter(const QString& path) {
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer->setOutputFormat(QPrinter::PdfFormat);
    printer->setOutputFileName(path);
    printer->setDocName(QStringLiteral("ZEB"));
    return printer;
}

} // namespace ui
