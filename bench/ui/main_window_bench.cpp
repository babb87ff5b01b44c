// The main window's load (construction, lists filled, shown) with the shipped data and with
// 100,000 stations, and one station pick among 100,000, from SQLite and from the large Access
// fixture. Runs offscreen unless QT_QPA_PLATFORM says otherwise. The Access file is read where
// it lies; without it those cases are skipped with a message.

#include "bench/ui/silent_dialogs.h"
#include "refdata/database_builder.h"
#include "refdata/open_database.h"
#include "ui/main/frmzeb.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include <QApplication>
#include <QComboBox>
#include <QLocale>
#include <QTemporaryDir>

namespace {

const std::filesystem::path kLargeAccess = ZEB_LARGE_DATABASE;

ui::DatabaseOpener openerOf(const std::filesystem::path& file) {
    return [file] { return refdata::openReferenceDatabase(file); };
}

std::unique_ptr<ui::frmZEB> makeWindow(ui::DatabaseOpener opener, SilentDialogs& dialogs) {
    ui::MainWindowServices services;
    services.openDatabase = std::move(opener);
    services.dialogs = &dialogs;
    return std::make_unique<ui::frmZEB>(std::move(services));
}

// 100,000 synthetic stations built into SQLite from CSV, as a user brings them, with the
// shipped curve numbers.
const std::filesystem::path& largeSqlite() {
    static QTemporaryDir folder;
    static const std::filesystem::path file = [] {
        const std::filesystem::path dir(folder.path().toStdString());
        std::ofstream csv(dir / "stations.csv");
        csv << "codigo,nome,estado,a,b,c,B5,B15,B30,Bm\n";
        for (int code = 1; code <= 100000; ++code) {
            char name[32];
            std::snprintf(name, sizeof name, "%06d", code);
            csv << code << ",Posto sintético " << name << ",MG,0." << (code % 7 + 1) << ","
                << 20 + code % 11 << "," << 10 + code % 13 << ",-0.04,0.08,0.08,0.08\n";
        }
        csv.close();
        const std::filesystem::path out = dir / "large-100k.sqlite";
        refdata::buildDatabaseFromCsv(out, dir / "stations.csv", ZEB_CURVE_NUMBERS_CSV);
        return out;
    }();
    return file;
}

void loadWindow(benchmark::State& state, const ui::DatabaseOpener& opener) {
    SilentDialogs dialogs;
    for (auto _ : state) {
        std::unique_ptr<ui::frmZEB> window = makeWindow(opener, dialogs);
        if (!window->Form_Load()) {
            state.SkipWithError(dialogs.lastMessage.toStdString().c_str());
            break;
        }
        window->show();
        QCoreApplication::processEvents();
        state.PauseTiming();
        window.reset();
        QCoreApplication::processEvents();
        state.ResumeTiming();
    }
}

void BM_LoadShippedData(benchmark::State& state) {
    loadWindow(state, [] { return refdata::openProgramDatabase(ZEB_PROGRAM_DIR); });
}

void BM_Load100kAccess(benchmark::State& state) {
    if (!std::filesystem::exists(kLargeAccess)) {
        state.SkipWithError(("skipped: " + kLargeAccess.string() + " is not there").c_str());
        return;
    }
    loadWindow(state, openerOf(kLargeAccess));
}

void BM_Load100kSqlite(benchmark::State& state) {
    loadWindow(state, openerOf(largeSqlite()));
}

// One pick of a name: the lookup, the code selected by its text, the state shown. Picks
// alternate between a station near the end of the list and one in the middle.
void pickStation(benchmark::State& state, const std::filesystem::path& file) {
    SilentDialogs dialogs;
    std::unique_ptr<ui::frmZEB> window = makeWindow(openerOf(file), dialogs);
    if (!window->Form_Load()) {
        state.SkipWithError(dialogs.lastMessage.toStdString().c_str());
        return;
    }
    window->show();
    QCoreApplication::processEvents();
    auto* names = window->findChild<QComboBox*>(QStringLiteral("cboPosto"));
    const int positions[] = {names->count() - 2, names->count() / 2};
    int next = 0;
    for (auto _ : state) {
        names->setCurrentIndex(positions[next]);
        next = 1 - next;
    }
    if (!window->currentStation() || !dialogs.lastMessage.isEmpty()) {
        state.SkipWithError("the pick found no station");
    }
}

void BM_StationPick100kAccess(benchmark::State& state) {
    if (!std::filesystem::exists(kLargeAccess)) {
        state.SkipWithError(("skipped: " + kLargeAccess.string() + " is not there").c_str());
        return;
    }
    pickStation(state, kLargeAccess);
}

void BM_StationPick100kSqlite(benchmark::State& state) {
    pickStation(state, largeSqlite());
}

} // namespace

BENCHMARK(BM_LoadShippedData)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Load100kSqlite)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_StationPick100kSqlite)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Load100kAccess)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_StationPick100kAccess)->Unit(benchmark::kMillisecond);

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
