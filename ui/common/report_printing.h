#pragma once

#include "report/report_lines.h"

#include <memory>
#include <optional>
#include <vector>

#include <QString>

class QPagedPaintDevice;
class QPainter;
class QPrinter;

namespace ui {

// The report on paper: the lines in the report font, one line height apart from the top left of
// the printable area, the bold-flagged ones in bold, on one landscape page. The printer and a
// PDF file share this code, so a PDF shows exactly what the printer receives.

// Landscape, across which the longest lines fit. Set before painting begins.
void setReportOrientation(QPagedPaintDevice& device);

// Paints the lines on the painter's current page. The painter is active on a paged device
// (a printer or a PDF writer); the caller ends the document, so that a PDF can go on with
// pages of its own after the report.
void paintReportLines(QPainter& painter, const std::vector<report::ReportLine>& lines);

// The whole job: landscape, the lines on one page, the end of the document, which hands the
// job to the printer. An error text when the printer does not take the job.
std::optional<QString> printReport(QPrinter& printer, const std::vector<report::ReportLine>& lines);

// The system's default printer; none when no printer is installed.
std::unique_ptr<QPrinter> defaultSystemPrinter();

// A printer whose document is a PDF file at the path, at the resolution the system printer
// gets.
std::unique_ptr<QPrinter> pdfFilePrinter(const QString& path);

} // namespace ui
