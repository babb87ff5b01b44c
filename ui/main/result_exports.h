#pragma once

#include "calc/record.h"
#include "chart/hydrograph_chart.h"
#include "report/csv_style.h"
#include "report/report_lines.h"

#include <vector>

class QWidget;

namespace ui {

class DialogService;

// The "&Resultados" menu's exports. Each asks for a file through the save dialog (cancel:
// nothing happens), writes it whole or not at all, and says how it went as the text export
// does.

// "Exportar &PDF...": the report as printed, then the chart.
void exportReportPdf(QWidget* parent, DialogService& dialogs,
                     const std::vector<report::ReportLine>& lines,
                     const calc::CalculationRecord& record,
                     const chart::HydrographCaption& caption);

// "Exportar &CSV...": the series table, the bytes of zeb-calc --format csv in the given style
// (--csv-style planilha for a decimal comma).
void exportSeriesCsv(QWidget* parent, DialogService& dialogs, const calc::CalculationRecord& record,
                     const QString& river, const report::CsvStyle& style);

} // namespace ui
