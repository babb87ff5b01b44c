#include "calc/concentration.h"
#include "tests/calc/case_name.h"

#include <gtest/gtest.h>

#include <limits>
#include <optional>

namespace calc {
namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();

struct ConcentrationCase {
    // Shown by name in test listings.
    friend void PrintTo(const ConcentrationCase& row, std::ostream* out) { *out << row.name; }
    const char* name;
    double lengthKm;
    double dropM;
    std::optional<double> expected; // to five decimals; none when the formula has no value
};

class ConcentrationTime : public ::testing::TestWithParam<ConcentrationCase> {};

TEST_P(ConcentrationTime, FollowsTheKirpichFormula) {
    const auto result = computeConcentrationTime(GetParam().lengthKm, GetParam().dropM);
    ASSERT_EQ(result.has_value(), GetParam().expected.has_value());
    if (result) {
        EXPECT_NEAR(*result, *GetParam().expected, 0.5e-5);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ConcentrationTime,
    ::testing::Values(ConcentrationCase{"Example", 10, 100, 2.30528},
                      ConcentrationCase{"ZeroLength", 0, 5, 0.0},
                      ConcentrationCase{"BothNegative", -10, -100, 2.30528},
                      ConcentrationCase{"ZeroDrop", 10, 0, std::nullopt},
                      ConcentrationCase{"ZeroLengthAndDrop", 0, 0, std::nullopt},
                      ConcentrationCase{"NegativeDrop", 10, -100, std::nullopt},
                      ConcentrationCase{"NegativeLength", -10, 100, std::nullopt},
                      ConcentrationCase{"ResultTooLarge", 1e200, 1e-200, std::nullopt},
                      ConcentrationCase{"InfiniteLength", kInf, 100, std::nullopt},
                      ConcentrationCase{"NaNDrop", 10, std::numeric_limits<double>::quiet_NaN(),
                                        std::nullopt}),
    fixtures::CaseName());

TEST(ConcentrationTime, ExampleDoesNotDrift) {
    EXPECT_EQ(computeConcentrationTime(10, 100), 2.3052795903282948);
}

} // namespace
} // namespace calc
