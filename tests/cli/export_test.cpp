#include "cli/record_export.h"

#include "calc/calculation.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <charconv>
#include <sstream>
#include <string>
#include <vector>

namespace cli {
namespace {

calc::CalculationRecord workedExample() {
    calc::CalculationInputs inputs;
    inputs.durationIndex = 3;
    inputs.curveNumber = 75;
    inputs.drainageAreaKm2 = 50;
    inputs.returnPeriodYears = 100;
    inputs.concentrationTimeH = 6;
    inputs.station = calc::StationCoefficients{0.2, 25, 20, -0.04, 0.08, 0.08, 0.08};
    return std::get<calc::CalculationRecord>(calc::computeCalculationRecord(inputs));
}

// The items of the first JSON array after "name": , as texts.
std::vector<std::string> jsonArrayItems(const std::string& json, const std::string& name) {
    const std::size_t key = json.find("\"" + name + "\": [");
    if (key == std::string::npos) {
        ADD_FAILURE() << "no array " << name;
        return {};
    }
    const std::size_t open = json.find('[', key);
    const std::size_t close = json.find(']', open);
    std::vector<std::string> items;
    std::stringstream list(json.substr(open + 1, close - open - 1));
    for (std::string item; std::getline(list, item, ',');) {
        items.push_back(item.substr(item.find_first_not_of(' ')));
    }
    return items;
}

// The items read back as numbers; empty for null.
calc::Series readBack(const std::vector<std::string>& items) {
    calc::Series series;
    for (std::size_t i = 0; i < items.size() && i < calc::kSteps; ++i) {
        if (items[i] == "null") {
            continue;
        }
        double value = 0;
        const auto [end, error] =
            std::from_chars(items[i].data(), items[i].data() + items[i].size(), value);
        EXPECT_TRUE(error == std::errc() && end == items[i].data() + items[i].size()) << items[i];
        series[i + 1] = value;
    }
    return series;
}

TEST(RecordJson, HoldsEveryFieldByName) {
    const std::string json = recordJson(workedExample());
    EXPECT_EQ(json.rfind("{\n  \"record\": {\n", 0), 0u);
    for (const char* name : {"durationIndex",
                             "unitDurationH",
                             "curveNumber",
                             "drainageAreaKm2",
                             "returnPeriodYears",
                             "channelLengthKm",
                             "elevationDropM",
                             "concentrationTimeH",
                             "potentialRetentionMm",
                             "riseTimeH",
                             "baseTimeH",
                             "recessionTimeH",
                             "unitPeakFlow",
                             "frequencyFactorK",
                             "idfCoefficientA",
                             "idfCoefficientB",
                             "idfCoefficientC",
                             "durationAlpha",
                             "durationBeta",
                             "returnPeriodExponent",
                             "timesH",
                             "pointRainfallMm",
                             "reducedRainfallMm",
                             "incrementalRainfallMm",
                             "reorderedRainfallMm",
                             "cumulativeRainfallMm",
                             "effectiveRainfallMm",
                             "incrementalEffectiveRainfallMm",
                             "unitHydrograph",
                             "convolutionTable",
                             "totalFlow"}) {
        EXPECT_NE(json.find(std::string("\n    \"") + name + "\": "), std::string::npos) << name;
    }
}

TEST(RecordJson, SeriesRoundTripExactlyWithNullForEmpty) {
    const calc::CalculationRecord r = workedExample();
    const std::string json = recordJson(r);
    const std::pair<const char*, const calc::Series*> series[] = {
        {"timesH", &r.timesH},
        {"pointRainfallMm", &r.pointRainfallMm},
        {"incrementalRainfallMm", &r.incrementalRainfallMm},
        {"reorderedRainfallMm", &r.reorderedRainfallMm},
        {"effectiveRainfallMm", &r.effectiveRainfallMm},
        {"totalFlow", &r.totalFlow},
    };
    for (const auto& [name, expected] : series) {
        const auto items = jsonArrayItems(json, name);
        ASSERT_EQ(items.size(), 15u) << name;
        EXPECT_EQ(readBack(items), *expected) << name;
    }
    const auto ordinates = readBack(jsonArrayItems(json, "unitHydrograph"));
    for (int k = 1; k <= calc::kSteps; ++k) {
        EXPECT_EQ(ordinates[k].has_value(), r.unitHydrograph[k].has_value()) << k;
        if (ordinates[k]) {
            EXPECT_EQ(*ordinates[k], static_cast<double>(*r.unitHydrograph[k])) << k;
        }
    }
}

TEST(RecordJson, ConvolutionTableIsSixteenRowsOfSixteen) {
    const std::string json = recordJson(workedExample());
    const std::size_t start = json.find("\"convolutionTable\": [");
    const std::size_t end = json.find("\n    ]", start);
    const std::string table = json.substr(start, end - start);
    std::size_t rows = 0;
    for (std::size_t at = table.find("\n      ["); at != std::string::npos;
         at = table.find("\n      [", at + 1)) {
        const std::string row = table.substr(at + 8, table.find(']', at) - at - 8);
        EXPECT_EQ(std::count(row.begin(), row.end(), ','), 15) << "row " << rows;
        // Row 0: column 0 and columns 9..15 empty; row j: columns 0..j-1 empty.
        std::size_t nulls = 0;
        for (std::size_t n = row.find("null"); n != std::string::npos;
             n = row.find("null", n + 1)) {
            ++nulls;
        }
        EXPECT_EQ(nulls, rows == 0 ? 8u : rows) << "row " << rows;
        ++rows;
    }
    EXPECT_EQ(rows, 16u);
}

} // namespace
} // namespace cli
