#pragma once

#include "calc/study.h"
#include "numbers/number_style.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace report {

// A study laid out as engineers read it: one row per duration, one column per return period.
// The window's table, its PDF page and its clipboard text all come from this grid.
struct StudyGridCell {
    bool computed = false; // false: the run failed, `error` says why
    double peakFlowM3s = 0;
    bool floodNotReceded = false;
    bool unitHydrographCut = false;
    bool bestPeak = false; // the largest peak of its column among the cells without a note
    std::string error;
    bool noted() const { return floodNotReceded || unitHydrographCut; }
};

struct StudyGrid {
    std::vector<int> durationIndexes;              // the rows
    std::vector<double> returnPeriodsYears;        // the columns
    std::vector<std::vector<StudyGridCell>> cells; // [row][column]
    // The runs' K was typed, holding its own return period: one column, headed as such.
    bool ownEquation = false;
};

// The marks after a noted peak, and the legend lines that explain them.
inline constexpr char kFloodNotRecededMark[] = "*";
inline constexpr char kUnitHydrographCutMark[] = "†";

// The grid of cells computed by calc::computeStudy for these lists (durations outer, return
// periods inner, as it orders them).
StudyGrid studyGrid(const std::vector<calc::StudyCell>& cells,
                    const std::vector<int>& durationIndexes,
                    const std::vector<double>& returnPeriodsYears);

// A cell as the table shows it: the peak in the grouped two-decimal pattern followed by its
// marks; "—" for a run that failed.
std::string studyCellText(const StudyGridCell& cell, const NumberStyle& style);

// The heading of column c: "TR <years>", or "Equação própria" for a grid of typed K.
std::string columnHeading(const StudyGrid& grid, std::size_t column, const NumberStyle& style);

// The grid as tab-separated lines for a spreadsheet's paste: a heading row, then one row per
// duration with its label and the peaks. Peaks carry the user's decimal separator, two
// decimals and no group separator: a spreadsheet set to the same locale reads that as a
// number, while group separators such as a non-breaking space would make it text. Marks are
// left out for the same reason; a failed run is an empty cell. LF line ends.
std::string studyClipboardText(const StudyGrid& grid, const NumberStyle& style);

// The editable list of return periods: numbers in the user's format separated by ";" or
// blanks (and by "," too where the decimal separator is not a comma). None unless every item
// is a number above 0 and there is at least one.
std::optional<std::vector<double>> parseReturnPeriodList(std::string_view text,
                                                         const NumberStyle& style);

// The list as the window writes it back: "2; 5; 10".
std::string returnPeriodListText(const std::vector<double>& years, const NumberStyle& style);

} // namespace report
