// What a user waits for when the study window follows a run: the 117 runs, the table and both
// charts rebuilt, offscreen unless QT_QPA_PLATFORM says otherwise.

#include "bench/ui/silent_dialogs.h"
#include "calc/run_request.h"
#include "ui/study/study_window.h"

#include <benchmark/benchmark.h>

#include <QApplication>

namespace {

void BM_StudyWindowFollowsARun(benchmark::State& state) {
    SilentDialogs dialogs;
    ui::StudyWindow window(dialogs, {});
    window.show();
    calc::RunRequest basin;
    basin.durationIndex = 3;
    basin.curveNumber = 75;
    basin.drainageAreaKm2 = 50;
    basin.returnPeriodYears = 100;
    basin.concentrationTimeH = 6;
    basin.station = calc::StationCoefficients{0.2, 25, 20, -0.04, 0.08, 0.08, 0.08};
    // The first inputs make the charts; what is measured is each run after that.
    window.showInputs(basin, {QStringLiteral("Rio"), {",", "."}});
    QApplication::processEvents();
    for (auto _ : state) {
        // Another area each time, as when the user edits it between runs.
        basin.drainageAreaKm2 = basin.drainageAreaKm2 == 50 ? 80 : 50;
        window.showInputs(basin, {QStringLiteral("Rio"), {",", "."}});
        QApplication::processEvents();
    }
}

} // namespace

BENCHMARK(BM_StudyWindowFollowsARun)->Unit(benchmark::kMillisecond);

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
