#include "cli/record_export.h"

#include "cli/number_text.h"

#include <optional>
#include <string_view>
#include <utility>
#include <vector>

namespace cli {

namespace {

using calc::CalculationRecord;
using calc::Entry;
using calc::kSteps;

std::string entryText(const Entry& entry, std::string_view emptyText) {
    return entry ? exactNumberText(*entry) : std::string(emptyText);
}

Entry widened(const std::optional<float>& ordinate) {
    if (!ordinate) {
        return std::nullopt;
    }
    return static_cast<double>(*ordinate);
}

// The series of a record in record order, the unit hydrograph widened to double.
std::vector<std::pair<std::string_view, calc::Series>> seriesOf(const CalculationRecord& r) {
    calc::Series unitHydrograph;
    for (int k = 0; k <= kSteps; ++k) {
        unitHydrograph[k] = widened(r.unitHydrograph[k]);
    }
    return {
        {"timesH", r.timesH},
        {"pointRainfallMm", r.pointRainfallMm},
        {"reducedRainfallMm", r.reducedRainfallMm},
        {"incrementalRainfallMm", r.incrementalRainfallMm},
        {"reorderedRainfallMm", r.reorderedRainfallMm},
        {"cumulativeRainfallMm", r.cumulativeRainfallMm},
        {"effectiveRainfallMm", r.effectiveRainfallMm},
        {"incrementalEffectiveRainfallMm", r.incrementalEffectiveRainfallMm},
        {"unitHydrograph", unitHydrograph},
    };
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
    for (const auto& [name, series] : seriesOf(r)) {
        text += ",\n    \"" + std::string(name) + "\": " + jsonArray(series, 1);
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

std::string recordCsv(const CalculationRecord& r) {
    auto columns = seriesOf(r);
    columns.emplace_back("totalFlow", r.totalFlow);

    std::string text;
    for (std::size_t c = 0; c < columns.size(); ++c) {
        text += (c == 0 ? "" : ",") + std::string(columns[c].first);
    }
    text += "\n";
    for (int step = 1; step <= kSteps; ++step) {
        for (std::size_t c = 0; c < columns.size(); ++c) {
            text += (c == 0 ? "" : ",") + entryText(columns[c].second[step], "");
        }
        text += "\n";
    }
    return text;
}

} // namespace cli
