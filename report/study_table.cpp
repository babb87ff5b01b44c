#include "report/study_table.h"

#include "calc/durations.h"
#include "util/number_text.h"

namespace report {

namespace {

const calc::RunSummary& summaryOf(const calc::StudyCell& cell) {
    return std::get<calc::RunSummary>(cell.outcome);
}

std::string flag(bool value) {
    return value ? "1" : "0";
}

} // namespace

std::string summaryCsvFields(const calc::RunSummary& s) {
    return util::exactNumberText(s.peakFlowM3s) + "," + util::exactNumberText(s.peakTimeH) + "," +
           util::exactNumberText(s.effectiveRainfallMm) + "," + flag(s.floodNotReceded) + "," +
           flag(s.unitHydrographCut);
}

std::string studyCsv(const std::vector<calc::StudyCell>& cells) {
    std::string text = "duration,returnPeriodYears," + std::string(kSummaryColumns) + "\n";
    for (const calc::StudyCell& cell : cells) {
        text += std::string(calc::durationLabels[cell.durationIndex]) + "," +
                util::exactNumberText(cell.returnPeriodYears) + "," +
                summaryCsvFields(summaryOf(cell)) + "\n";
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
