#include "rainfit/rain_analysis.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <random>
#include <string>

namespace {

using namespace std::chrono;

// A century of made-up daily totals, 1921 to 2020, the same every run: rain on about one day
// in three, exponentially distributed, mean 12 mm; a day in two hundred missing.
template <typename Day> void forEachDay(Day write) {
    std::mt19937 random(20261208);
    std::bernoulli_distribution rains(0.33);
    std::bernoulli_distribution missing(0.005);
    std::exponential_distribution<double> depth(1.0 / 12);
    for (sys_days day = sys_days{1921y / 1 / 1}; day <= sys_days{2020y / 12 / 31}; day += days{1}) {
        const bool absent = missing(random);
        write(year_month_day{day}, absent ? -1.0 : rains(random) ? depth(random) : 0.0);
    }
}

std::string twoDigits(unsigned value) {
    return (value < 10 ? "0" : "") + std::to_string(value);
}

std::string plainCsv() {
    std::string csv = "Date,Rain_mm_day\n";
    forEachDay([&csv](year_month_day date, double mm) {
        csv += std::to_string(static_cast<int>(date.year())) + "-" +
               twoDigits(static_cast<unsigned>(date.month())) + "-" +
               twoDigits(static_cast<unsigned>(date.day())) + "," +
               (mm < 0 ? "" : std::to_string(mm).substr(0, 5)) + "\n";
    });
    return csv;
}

// The same century as the agency exports it: a line per month, 31 day columns.
std::string hidroWeb() {
    std::string text = "// Série de chuvas diárias\r\n\r\nEstacaoCodigo;NivelConsistencia;Data";
    for (int day = 1; day <= 31; ++day) {
        text += ";Chuva" + twoDigits(static_cast<unsigned>(day));
    }
    text += ";\r\n";
    std::string line;
    forEachDay([&](year_month_day date, double mm) {
        if (date.day() == 1d) {
            line = "01943022;1;01/" + twoDigits(static_cast<unsigned>(date.month())) + "/" +
                   std::to_string(static_cast<int>(date.year()));
        }
        std::string value = mm < 0 ? "" : std::to_string(mm).substr(0, 5);
        if (const auto point = value.find('.'); point != std::string::npos) {
            value[point] = ',';
        }
        line += ";" + value;
        if (year_month_day{sys_days{date} + days{1}}.day() == 1d) {
            text += line + std::string(31 - static_cast<unsigned>(date.day()), ';') + ";\r\n";
        }
    });
    return text;
}

void runAnalysis(benchmark::State& state, const std::string& bytes) {
    if (const auto analysis = rainfit::analyseDailyRainfall(bytes, {});
        !analysis || analysis->maxima.counted.size() != 100) {
        state.SkipWithError("the century is not read and fitted whole");
        return;
    }
    for (auto _ : state) {
        auto analysis = rainfit::analyseDailyRainfall(bytes, {});
        benchmark::DoNotOptimize(analysis);
    }
}

// A hundred years read and fitted, from either layout.
void BM_FitHundredYearsPlainCsv(benchmark::State& state) {
    runAnalysis(state, plainCsv());
}
BENCHMARK(BM_FitHundredYearsPlainCsv)->Unit(benchmark::kMillisecond);

void BM_FitHundredYearsHidroWeb(benchmark::State& state) {
    runAnalysis(state, hidroWeb());
}
BENCHMARK(BM_FitHundredYearsHidroWeb)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
