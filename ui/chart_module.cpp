// zeb-calc's chart module: the hydrograph figure drawn offscreen, loaded by the command only
// for its chart formats.

#include "cli/chart_output.h"
#include "ui/hydrograph_chart.h"
#include "ui/hydrograph_figure.h"

#include <QApplication>

namespace {

// Qt's own remarks (a missing runtime folder, say) would be mistaken for the command's
// messages; the command reports for itself whether the chart was drawn.
void silentQtMessages(QtMsgType, const QMessageLogContext&, const QString&) {}

ui::FigureFormat figureFormat(cli::ChartFormat format) {
    switch (format) {
    case cli::ChartFormat::Svg:
        return ui::FigureFormat::Svg;
    case cli::ChartFormat::Pdf:
        return ui::FigureFormat::Pdf;
    case cli::ChartFormat::Png:
        break;
    }
    return ui::FigureFormat::Png;
}

cli::ChartResult drawOffscreen(const calc::CalculationRecord& record, const std::string& riverText,
                               const report::NumberStyle& style, cli::ChartFormat format) {
    // Qt Charts draws through widgets, which need an application object and a window
    // platform; the offscreen one needs no display.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    const QtMessageHandler previous = qInstallMessageHandler(silentQtMessages);
    static int argc = 1;
    static char name[] = "zeb-calc";
    static char* argv[] = {name, nullptr};
    std::optional<QApplication> application;
    if (QCoreApplication::instance() == nullptr) {
        application.emplace(argc, argv);
    }
    const QByteArray bytes = ui::hydrographFigureFile(
        record, ui::HydrographCaption{QString::fromStdString(riverText), style},
        figureFormat(format));
    application.reset();
    qInstallMessageHandler(previous);
    if (bytes.isEmpty()) {
        return cli::ChartFailure{"não foi possível desenhar o gráfico."};
    }
    return cli::DrawnChart{std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()))};
}

} // namespace

extern "C" __attribute__((visibility("default"))) void
zeb_chart_module_entry(cli::DrawChartFunction* draw) {
    *draw = drawOffscreen;
}
