#include "report/study_table.h"

#include "calc/durations.h"
#include "numbers/number_text.h"

#include <algorithm>

namespace report {

namespace {

const calc::RunSummary& summaryOf(const calc::StudyCell& cell) {
    return *cell.outcome;
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

StudyTableWriter::StudyTableWriter(std::string& out, Format format, const CsvStyle& style)
    : m_out(out), m_format(format), m_style(style) {
    if (format == Format::Json) {
        m_out += "{\n  \"study\": [";
        return;
    }
    std::string header = "duration,returnPeriodYears," + std::string(kSummaryColumns);
    std::ranges::replace(header, ',', style.fieldSeparator);
    m_out += style.start() + header + "\n";
}

void StudyTableWriter::add(const calc::StudyCell& cell) {
    const calc::RunSummary& s = summaryOf(cell);
    const std::string duration(calc::durationLabels[cell.durationIndex]);
    if (m_format == Format::Csv) {
        const std::string separator(1, m_style.fieldSeparator);
        m_out += m_style.field(duration) + separator + m_style.number(cell.returnPeriodYears) +
                 separator + summaryCsvFields(s, m_style) + "\n";
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

std::string studyText(const std::vector<calc::StudyCell>& cells, StudyTableWriter::Format format,
                      const CsvStyle& style) {
    std::string text;
    StudyTableWriter writer(text, format, style);
    for (const calc::StudyCell& cell : cells) {
        writer.add(cell);
    }
    writer.finish();
    return text;
}

} // namespace

std::string studyCsv(const std::vector<calc::StudyCell>& cells, const CsvStyle& style) {
    return studyText(cells, StudyTableWriter::Format::Csv, style);
}

std::string studyJson(const std::vector<calc::StudyCell>& cells) {
    return studyText(cells, StudyTableWriter::Format::Json, {});
}

} // namespace report
