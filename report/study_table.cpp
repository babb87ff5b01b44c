#include "report/study_table.h"

#include "calc/durations.h"
#include "util/number_text.h"

#include <algorithm>

namespace report {

namespace {

const calc::RunSummary& summaryOf(const calc::StudyCell& cell) {
    return std::get<calc::RunSummary>(cell.outcome);
}

std::string flag(bool value) {
    return value ? "1" : "0";
}

} // namespace

std::string summaryCsvFields(const calc::RunSummary& s, const CsvStyle& style) {
    const std::string separator(1, style.fieldSeparator);
    return style.number(s.peakFlowM3s) + separator + style.number(s.peakTimeH) + separator +
           style.number(s.effectiveRainfallMm) + separator + flag(s.floodNotReceded) + separator +
           flag(s.unitHydrographCut);
}

std::string studyCsv(const std::vector<calc::StudyCell>& cells, const CsvStyle& style) {
    const std::string separator(1, style.fieldSeparator);
    std::string header = "duration,returnPeriodYears," + std::string(kSummaryColumns);
    std::ranges::replace(header, ',', style.fieldSeparator);
    std::string text = style.start() + header + "\n";
    for (const calc::StudyCell& cell : cells) {
        text += style.field(calc::durationLabels[cell.durationIndex]) + separator +
                style.number(cell.returnPeriodYears) + separator +
                summaryCsvFields(summaryOf(cell), style) + "\n";
    }
    return text;
}

std::string studyJson(const std::vector<calc::StudyCell>& cells) {
    std::string text = "{\n  \"study\": [";
    for (std::size_t i = 0; i < cells.size(); ++i) {
        const calc::RunSummary& s = summaryOf(cells[i]);
        text += (i == 0 ? "\n" : ",\n");
        text += "    {\"duration\": \"" +
                std::string(calc::durationLabels[cells[i].durationIndex]) +
                "\", \"returnPeriodYears\": " + util::exactNumberText(cells[i].returnPeriodYears) +
                ", \"peakFlowM3s\": " + util::exactNumberText(s.peakFlowM3s) +
                ", \"peakTimeH\": " + util::exactNumberText(s.peakTimeH) +
                ", \"effectiveRainfallMm\": " + util::exactNumberText(s.effectiveRainfallMm) +
                ", \"floodNotReceded\": " + (s.floodNotReceded ? "true" : "false") +
                ", \"unitHydrographCut\": " + (s.unitHydrographCut ? "true" : "false") + "}";
    }
    return text + "\n  ]\n}\n";
}

} // namespace report
