#include "report/rain_analysis_table.h"

#include "numbers/number_text.h"

#include <initializer_list>
#include <utility>

namespace report {

namespace {

using util::exactNumberText;

// {"name": value, ...} on one line, the values already written.
std::string jsonObject(std::initializer_list<std::pair<const char*, std::string>> fields) {
    std::string text = "{";
    for (const auto& [name, value] : fields) {
        text += (text.size() > 1 ? ", \"" : "\"") + std::string(name) + "\": " + value;
    }
    return text + "}";
}

// [object, ...], one object a line.
template <typename Item, typename Write>
std::string jsonList(const std::vector<Item>& items, const Write& write) {
    std::string text = "[";
    for (std::size_t i = 0; i < items.size(); ++i) {
        text += (i == 0 ? "\n    " : ",\n    ") + write(items[i]);
    }
    return text + (items.empty() ? "]" : "\n  ]");
}

} // namespace

std::string rainAnalysisJson(const rainfit::RainAnalysis& analysis) {
    const rainfit::GumbelFit& gumbel = analysis.gumbel;
    const rainfit::IdfFit& fit = analysis.fit;
    std::string text = "{\n  \"years\": ";
    text += jsonList(analysis.maxima.counted, [](const rainfit::YearMaximum& year) {
        return jsonObject({{"year", std::to_string(year.year)},
                           {"maxDailyMm", exactNumberText(year.maxDailyMm)},
                           {"missingDays", std::to_string(year.missingDays)}});
    });
    text += ",\n  \"yearsLeftOut\": ";
    text += jsonList(analysis.maxima.leftOut, [](const rainfit::YearLeftOut& year) {
        return jsonObject({{"year", std::to_string(year.year)},
                           {"missingDays", std::to_string(year.missingDays)}});
    });
    text += ",\n  \"gumbel\": " +
            jsonObject({{"meanMm", exactNumberText(gumbel.meanMm)},
                        {"stdDevMm", exactNumberText(gumbel.stdDevMm)},
                        {"ksStatistic", exactNumberText(gumbel.ksStatistic)},
                        {"ksCritical5pct", exactNumberText(gumbel.ksCritical5pct)}});
    text += ",\n  \"equation\": " + jsonObject({{"K", exactNumberText(fit.equation.k)},
                                                {"m", exactNumberText(fit.equation.m)},
                                                {"t0", exactNumberText(fit.equation.t0Min)},
                                                {"n", exactNumberText(fit.equation.n)},
                                                {"r2", exactNumberText(fit.r2)},
                                                {"sse", exactNumberText(fit.sse)}});
    text += ",\n  \"points\": ";
    text += jsonList(analysis.points, [](const rainfit::IdfPoint& point) {
        return jsonObject({{"durationMin", exactNumberText(point.durationMin)},
                           {"returnPeriodYears", exactNumberText(point.returnPeriodYears)},
                           {"intensityMmH", exactNumberText(point.intensityMmH)},
                           {"fittedMmH", exactNumberText(point.fittedMmH)}});
    });
    return text + "\n}\n";
}

std::string rainAnalysisPointsCsv(const rainfit::RainAnalysis& analysis, const CsvStyle& style) {
    const char s = style.fieldSeparator;
    std::string text = style.start() + "durationMin" + s + "returnPeriodYears" + s +
                       "intensityMmH" + s + "fittedMmH\n";
    for (const rainfit::IdfPoint& point : analysis.points) {
        text += style.number(point.durationMin) + s + style.number(point.returnPeriodYears) + s +
                style.number(point.intensityMmH) + s + style.number(point.fittedMmH) + "\n";
    }
    return text;
}

} // namespace report
