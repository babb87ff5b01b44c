// zeb-calc's chart module: the hydrograph figure drawn offscreen, loaded by the command only
// for its chart formats.

#include "chart/chart_module.h"
#include "chart/hydrograph_chart.h"
#include "chart/hydrograph_figure.h"

#include <QApplication>

namespace {

// Qt's own remarks (a missing runtime folder, say) would be mistaken for the command's
// messages; the command reports for itself whether the chart was drawn.
void silentQtMessages(QtMsgType, const QMessageLogContext&, const QString&) {}

util::Result<std::string> drawOffscreen(const calc::CalculationRecord& record,
                                        const std::string& riverText,
                                        const report::NumberStyle& style,
                                        chart::FigureFormat format) {
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
    const QByteArray bytes = chart::hydrographFigureFile(
        record, chart::HydrographCaption{QString::fromStdString(riverText), style}, format);
    application.reset();
    qInstallMessageHandler(previous);
    if (bytes.isEmpty()) {
        return util::Failure{util::Failure::Kind::Output, "não foi possível desenhar o gráfico."};
    }
    return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

} // namespace

extern "C" __attribute__((visibility("default"))) void
zeb_chart_module_entry(chart::DrawChartFunction* draw) {
    *draw = drawOffscreen;
}
