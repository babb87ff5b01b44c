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

StudyTableWriter::StudyTableWriter(std::string& out, Format format) : m_out(out), m_format(format) {
    m_out += format == Format::Csv
                 ? "duration,returnPeriodYears," + std::string(kSummaryColumns) + "\n"
                 : "{\n  \"study\": [";
}

void StudyTableWriter::add(const calc::StudyCell& cell) {
    const calc::RunSummary& s = summaryOf(cell);
    const std::string duration(calc::durationLabels[cell.durationIndex]);
    if (m_format == Format::Csv) {
        m_out += duration + "," + util::exactNumberText(cell.returnPeriodYears) + "," +
                 summaryCsvFields(s) + "\n";
        return;
    }
    m_out += m_first ? "\n" : ",\n";
    m_out += "    {\"duration\": \"" + duration +
             "\", \"returnPeriodYears\": " + util::exactNumberText(cell.returnPeriodYears) +
             ", \"peakFlowM3s\": " + util::exactNumberText(s.peakFlowM3s) +
             ", \"peakTimeH\": " + util::exactNumberText(s.peakTimeH) +
             ", \"effectiveRainfallMm\": " + util::exactNumberText(s.effectiveRainfallMm) +
             ", \"floodNotReceded\": " + (s.floodNotReceded ? "true" : "false") +
             ", \"unitHydrographCut\": " + (s.unitHydrographCut ? "true" : "false") + "}";
    m_first = false;
}

void StudyTableWriter::finish() {
    if (m_format == Format::Json) {
        m_out += "\n  ]\n}\n";
    }
}

namespace {

std::string studyText(const std::vector<calc::StudyCell>& cells, StudyTableWriter::Format format) {
    std::string text;
    StudyTableWriter writer(text, format);
    for (const calc::StudyCell& cell : cells) {
        writer.add(cell);
    }
    writer.finish();
    return text;
}

} // namespace

std::string studyCsv(const std::vector<calc::StudyCell>& cells) {
    return studyText(cells, StudyTableWriter::Format::Csv);
}

std::string studyJson(const std::vector<calc::StudyCell>& cells) {
    return studyText(cells, StudyTableWriter::Format::Json);
}

} // namespace report
