#include "cli/record_export.h"

#include "report/exact_number.h"
#include "report/record_table.h"

#include <optional>
#include <string_view>
#include <utility>
#include <vector>

namespace cli {

namespace {

using calc::CalculationRecord;
using calc::Entry;
using calc::kSteps;
using report::exactNumberText;

std::string entryText(const Entry& entry, std::string_view emptyText) {
    return entry ? exactNumberText(*entry) : std::string(emptyText);
}

// Entries 1..15 of a series (or columns 0..15 of a table row when `first` is 0).
template <typename Row> std::string jsonArray(const Row& entries, int first) {
    std::string text = "[";
    for (int i = first; i <= kSteps; ++i) {
        if (i > first) {
            text += ", ";
        }
        text += entryText(entries[i], "null");
    }
    return text + "]";
}

} // namespace

std::string recordJson(const CalculationRecord& r) {
    const std::pair<std::string_view, Entry> scalars[] = {
        {"unitDurationH", r.unitDurationH},
        {"curveNumber", r.curveNumber},
        {"drainageAreaKm2", r.drainageAreaKm2},
        {"returnPeriodYears", r.returnPeriodYears},
        {"channelLengthKm", r.channelLengthKm},
        {"elevationDropM", r.elevationDropM},
        {"concentrationTimeH", r.concentrationTimeH},
        {"potentialRetentionMm", r.potentialRetentionMm},
        {"riseTimeH", r.riseTimeH},
        {"baseTimeH", r.baseTimeH},
        {"recessionTimeH", r.recessionTimeH},
        {"unitPeakFlow", r.unitPeakFlow},
        {"frequencyFactorK", r.frequencyFactorK},
        {"idfCoefficientA", r.idfCoefficientA},
        {"idfCoefficientB", r.idfCoefficientB},
        {"idfCoefficientC", r.idfCoefficientC},
        {"durationAlpha", r.durationAlpha},
        {"durationBeta", r.durationBeta},
        {"returnPeriodExponent", r.returnPeriodExponent},
    };

    std::string text = "{\n  \"record\": {\n";
    text += "    \"durationIndex\": " + std::to_string(r.durationIndex);
    for (const auto& [name, entry] : scalars) {
        text += ",\n    \"" + std::string(name) + "\": " + entryText(entry, "null");
    }
    // Every series but the total flow, which follows the convolution table.
    for (const report::NamedSeries& series : report::recordSeries(r)) {
        if (series.name != "totalFlow") {
            text += ",\n    \"" + std::string(series.name) + "\": " + jsonArray(series.values, 1);
        }
    }
    text += ",\n    \"convolutionTable\": [";
    for (int row = 0; row <= kSteps; ++row) {
        text += row == 0 ? "\n      " : ",\n      ";
        text += jsonArray(r.convolutionTable[row], 0);
    }
    text += "\n    ]";
    text += ",\n    \"totalFlow\": " + jsonArray(r.totalFlow, 1);
    text += "\n  }\n}\n";
    return text;
}

} // namespace cli
