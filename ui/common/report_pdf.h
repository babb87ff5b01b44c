#pragma once

#include "calc/record.h"
#include "chart/hydrograph_chart.h"
#include "report/report_lines.h"

#include <optional>
#include <vector>

#include <QByteArray>

namespace ui {

// The bytes of a two-page PDF: the report exactly as it is printed (landscape, the print
// font, the bold line, on the printer's page) and then the chart on a landscape page of its
// own. None when the document could not be made. Needs a running QApplication.
std::optional<QByteArray> reportAndChartPdf(const std::vector<report::ReportLine>& lines,
                                            const calc::CalculationRecord& record,
                                            const chart::HydrographCaption& caption);

} // namespace ui
