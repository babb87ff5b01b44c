#include "report/study_grid.h"

#include "calc/durations.h"
#include "numbers/field_reading.h"
#include "numbers/number_format.h"

#include <cmath>

namespace report {

StudyGrid studyGrid(const std::vector<calc::StudyCell>& cells,
                    const std::vector<int>& durationIndexes,
                    const std::vector<double>& returnPeriodsYears) {
    StudyGrid grid{durationIndexes, returnPeriodsYears, {}};
    const std::size_t columns = returnPeriodsYears.size();
    grid.cells.assign(durationIndexes.size(), std::vector<StudyGridCell>(columns));
    for (std::size_t i = 0; i < cells.size() && columns > 0; ++i) {
        StudyGridCell& cell = grid.cells[i / columns][i % columns];
        if (const auto& summary = cells[i].outcome) {
            cell.computed = true;
            cell.peakFlowM3s = summary->peakFlowM3s;
            cell.floodNotReceded = summary->floodNotReceded;
            cell.unitHydrographCut = summary->unitHydrographCut;
        } else {
            cell.error = cells[i].outcome.failure().message;
        }
    }
    // A peak the fixed sizes of the run have cut is no candidate for the design flood.
    for (std::size_t column = 0; column < columns; ++column) {
        StudyGridCell* best = nullptr;
        for (auto& row : grid.cells) {
            StudyGridCell& cell = row[column];
            if (cell.computed && !cell.noted() &&
                (best == nullptr || cell.peakFlowM3s > best->peakFlowM3s)) {
                best = &cell;
            }
        }
        if (best != nullptr) {
            best->bestPeak = true;
        }
    }
    return grid;
}

std::string studyCellText(const StudyGridCell& cell, const NumberStyle& style) {
    if (!cell.computed) {
        return "—";
    }
    std::string text = formatPattern(cell.peakFlowM3s, Pattern::Grouped, style);
    if (cell.floodNotReceded) {
        text += kFloodNotRecededMark;
    }
    if (cell.unitHydrographCut) {
        text += kUnitHydrographCutMark;
    }
    return text;
}

std::string columnHeading(const StudyGrid& grid, std::size_t column, const NumberStyle& style) {
    if (grid.ownEquation) {
        return "Equação própria";
    }
    return "TR " + formatPlain(grid.returnPeriodsYears.at(column), style);
}

std::string studyClipboardText(const StudyGrid& grid, const NumberStyle& style) {
    std::string text = "Duração";
    for (std::size_t column = 0; column < grid.returnPeriodsYears.size(); ++column) {
        text += "\t" + columnHeading(grid, column, style);
    }
    text += "\n";
    for (std::size_t row = 0; row < grid.durationIndexes.size(); ++row) {
        text += std::string(
            calc::durationLabels.at(static_cast<std::size_t>(grid.durationIndexes[row])));
        for (const StudyGridCell& cell : grid.cells[row]) {
            text += "\t";
            if (cell.computed) {
                text += formatPattern(cell.peakFlowM3s, Pattern::Plain3, style);
            }
        }
        text += "\n";
    }
    return text;
}

std::optional<std::vector<double>> parseReturnPeriodList(std::string_view text,
                                                         const NumberStyle& style) {
    const bool commaSeparates = style.decimalSeparator != ",";
    std::vector<double> years;
    std::string item;
    const auto takeItem = [&]() {
        if (item.empty()) {
            return true;
        }
        const std::optional<double> value = parseLocaleNumber(item, style);
        item.clear();
        if (!value || !(*value > 0) || !std::isfinite(*value)) {
            return false;
        }
        years.push_back(*value);
        return true;
    };
    for (const char c : text) {
        if (c == ';' || c == ' ' || c == '\t' || c == '\n' || (commaSeparates && c == ',')) {
            if (!takeItem()) {
                return std::nullopt;
            }
        } else {
            item += c;
        }
    }
    if (!takeItem() || years.empty()) {
        return std::nullopt;
    }
    return years;
}

std::string returnPeriodListText(const std::vector<double>& years, const NumberStyle& style) {
    std::string text;
    for (const double value : years) {
        text += (text.empty() ? "" : "; ") + formatPlain(value, style);
    }
    return text;
}

} // namespace report
