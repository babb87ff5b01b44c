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

// The fields as one CSV line.
std::string csvLine(std::initializer_list<std::string> fields, const CsvStyle& style) {
    std::string text;
    for (const std::string& field : fields) {
        text += (text.empty() ? "" : std::string(1, style.fieldSeparator)) + field;
    }
    return text + "\n";
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

std::string rainAnalysisCsv(const rainfit::RainAnalysis& analysis, const CsvStyle& style) {
    const auto number = [&style](double value) { return style.number(value); };
    std::string text = style.start() + csvLine({"year", "maxDailyMm", "missingDays"}, style);
    for (const rainfit::YearMaximum& year : analysis.maxima.counted) {
        text += csvLine(
            {std::to_string(year.year), number(year.maxDailyMm), std::to_string(year.missingDays)},
            style);
    }
    text += "\n" + csvLine({"yearLeftOut", "missingDays"}, style);
    for (const rainfit::YearLeftOut& year : analysis.maxima.leftOut) {
        text += csvLine({std::to_string(year.year), std::to_string(year.missingDays)}, style);
    }
    const rainfit::GumbelFit& gumbel = analysis.gumbel;
    text += "\n" + csvLine({"meanMm", "stdDevMm", "ksStatistic", "ksCritical5pct"}, style) +
            csvLine({number(gumbel.meanMm), number(gumbel.stdDevMm), number(gumbel.ksStatistic),
                     number(gumbel.ksCritical5pct)},
                    style);
    const rainfit::IdfFit& fit = analysis.fit;
    text += "\n" + csvLine({"K", "m", "t0", "n", "r2", "sse"}, style) +
            csvLine({number(fit.equation.k), number(fit.equation.m), number(fit.equation.t0Min),
                     number(fit.equation.n), number(fit.r2), number(fit.sse)},
                    style);
    CsvStyle continued = style;
    continued.byteOrderMark = false;
    return text + "\n" + rainAnalysisPointsCsv(analysis, continued);
}

} // namespace report
