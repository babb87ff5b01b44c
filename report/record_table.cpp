#include "report/record_table.h"

#include "calc/record_fields.h"
#include "numbers/number_text.h"

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

std::string recordCsv(const calc::CalculationRecord& record, const CsvStyle& style) {
    std::vector<std::string_view> names;
    std::vector<calc::Series> columns;
    calc::visitSeriesFields(record,
                            [&](std::string_view name, std::string_view, const auto& values) {
                                names.push_back(name);
                                columns.push_back(calc::asSeries(values));
                            });
    const std::string separator(1, style.fieldSeparator);
    std::string text = style.start();
    for (std::size_t c = 0; c < columns.size(); ++c) {
        text += (c == 0 ? "" : separator) + style.field(names[c]);
    }
    text += "\n";
    for (int step = 1; step <= calc::kSteps; ++step) {
        for (std::size_t c = 0; c < columns.size(); ++c) {
            const calc::Entry& entry = columns[c][step];
            text += (c == 0 ? "" : separator) + (entry ? style.number(*entry) : std::string());
        }
        text += "\n";
    }
    return text;
}

std::string recordJson(const calc::CalculationRecord& r) {
    std::string text = "{\n  \"record\": {\n";
    text += "    \"durationIndex\": " + std::to_string(r.durationIndex);
    const auto field = [&text](std::string_view name, const std::string& value) {
        text += ",\n    \"" + std::string(name) + "\": " + value;
    };
    calc::visitScalarFields(r,
                            [&](std::string_view name, std::string_view, const calc::Entry& value) {
                                field(name, entryText(value, "null"));
                            });
    // The convolution table stands between the other series and the total flow.
    calc::visitSeriesFields(r, [&](std::string_view name, std::string_view, const auto& values) {
        if (name == "totalFlow") {
            std::string table = "[";
            for (int row = 0; row <= calc::kSteps; ++row) {
                table +=
                    (row == 0 ? "\n      " : ",\n      ") + jsonArray(r.convolutionTable[row], 0);
            }
            field("convolutionTable", table + "\n    ]");
        }
        field(name, jsonArray(values, 1));
    });
    return text + "\n  }\n}\n";
}

} // namespace report
