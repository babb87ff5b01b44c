#include "report/record_table.h"

#include "report/exact_number.h"

namespace report {

std::vector<NamedSeries> recordSeries(const calc::CalculationRecord& r) {
    calc::Series unitHydrograph;
    for (int k = 0; k <= calc::kSteps; ++k) {
        if (r.unitHydrograph[k]) {
            unitHydrograph[k] = static_cast<double>(*r.unitHydrograph[k]);
        }
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
        {"totalFlow", r.totalFlow},
    };
}

std::string recordCsv(const calc::CalculationRecord& record) {
    const std::vector<NamedSeries> columns = recordSeries(record);
    std::string text;
    for (std::size_t c = 0; c < columns.size(); ++c) {
        text += (c == 0 ? "" : ",") + std::string(columns[c].name);
    }
    text += "\n";
    for (int step = 1; step <= calc::kSteps; ++step) {
        for (std::size_t c = 0; c < columns.size(); ++c) {
            const calc::Entry& entry = columns[c].values[step];
            text += (c == 0 ? "" : ",") + (entry ? exactNumberText(*entry) : std::string());
        }
        text += "\n";
    }
    return text;
}

} // namespace report
