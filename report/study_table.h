#pragma once

#include "calc/study.h"
#include "report/csv_style.h"

#include <string>
#include <string_view>
#include <vector>

namespace report {

// The machine-readable study and batch outputs. Numbers are in their shortest exact form with
// a period (the CSV's spreadsheet form: its decimal comma), so that each value reads back as
// exactly the double of the single run; flags are 1 or 0; LF line ends.

// The summary's columns, as they follow the identifying columns of a study or batch row.
inline constexpr std::string_view kSummaryColumns =
    "peakFlowM3s,peakTimeH,effectiveRainfallMm,floodNotReceded,unitHydrographCut";

// The summary's values in the order of kSummaryColumns, separated as the style says.
std::string summaryCsvFields(const calc::RunSummary& summary, const CsvStyle& style = {});

// Header "duration,returnPeriodYears,<summary columns>" and one row per cell, in the cells'
// order, separated as the style says. Every cell must hold a summary.
std::string studyCsv(const std::vector<calc::StudyCell>& cells, const CsvStyle& style = {});

// The same content as {"study": [{"duration": ..., "returnPeriodYears": ..., ...}, ...]}.
std::string studyJson(const std::vector<calc::StudyCell>& cells);

// The same texts written a cell at a time, as the cells are computed, so that a study is never
// held whole: the head on construction, each cell's row by add(), the tail by finish().
class StudyTableWriter {
public:
    enum class Format { Csv, Json };
    // The style applies to the CSV form only.
    StudyTableWriter(std::string& out, Format format, const CsvStyle& style = {});
    void add(const calc::StudyCell& cell);
    void finish();

private:
    std::string& m_out;
    Format m_format;
    CsvStyle m_style;
    bool m_first = true;
};

} // namespace report
