#include "report/record_table.h"

#include "calc/record_fields.h"
#include "util/number_text.h"

#include <vector>

namespace report {

namespace {

std::string entryText(const calc::Entry& entry, std::string_view emptyText) {
    return entry ? util::exactNumberText(*entry) : std::string(emptyText);
}

// Entries 1..15 of a series (or columns 0..15 of a table row when `first` is 0).
template <typename Row> std::string jsonArray(const Row& entries, int first) {
    std::string text = "[";
    for (int i = first; i <= calc::kSteps; ++i) {
        text += (i > first ? ", " : "") + entryText(entries[i], "null");
    }
    return text + "]";
}

} // namespace

std::string recordCsv(const calc::CalculationRecord& record) {
    const std::vector<calc::SeriesField> columns = calc::seriesFields(record);
    std::string text;
    for (std::size_t c = 0; c < columns.size(); ++c) {
        text += (c == 0 ? "" : ",") + std::string(columns[c].name);
    }
    text += "\n";
    for (int step = 1; step <= calc::kSteps; ++step) {
        for (std::size_t c = 0; c < columns.size(); ++c) {
            text += (c == 0 ? "" : ",") + entryText(columns[c].values[step], "");
        }
        text += "\n";
    }
    return text;
}

std::string recordJson(const calc::CalculationRecord& r) {
    std::string text = "{\n  \"record\": {\n";
    text += "    \"durationIndex\": " + std::to_string(r.durationIndex);
    for (const calc::ScalarField& field : calc::scalarFields(r)) {
        text += ",\n    \"" + std::string(field.name) + "\": " + entryText(field.value, "null");
    }
    // The convolution table stands between the other series and the total flow.
    for (const calc::SeriesField& series : calc::seriesFields(r)) {
        if (series.name == "totalFlow") {
            text += ",\n    \"convolutionTable\": [";
            for (int row = 0; row <= calc::kSteps; ++row) {
                text +=
                    (row == 0 ? "\n      " : ",\n      ") + jsonArray(r.convolutionTable[row], 0);
            }
            text += "\n    ]";
        }
        text += ",\n    \"" + std::string(series.name) + "\": " + jsonArray(series.values, 1);
    }
    return text + "\n  }\n}\n";
}

} // namespace report
