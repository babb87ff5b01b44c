#include "cli/options.h"

#include "cli/locale_style.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace cli {
namespace {

using Arguments = std::vector<std::string>;

// A complete command line in mode Automatic, with tc given.
Arguments baseArguments() {
    return {"--duration",
            "1 h",
            "--cn",
            "75",
            "--area",
            "50",
            "--tc",
            "6",
            "--return-period",
            "100",
            "--station-constants",
            "0.2,25,20,-0.04,0.08,0.08,0.08"};
}

Arguments with(Arguments arguments, const Arguments& more) {
    arguments.insert(arguments.end(), more.begin(), more.end());
    return arguments;
}

Arguments without(const Arguments& arguments, const std::string& option) {
    Arguments result;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        if (arguments[i] == option) {
            ++i; // and its value
            continue;
        }
        result.push_back(arguments[i]);
    }
    return result;
}

CommandOptions parsedOrFail(const Arguments& arguments) {
    const ParseResult result = parseArguments(arguments);
    if (const auto* error = std::get_if<UsageError>(&result)) {
        ADD_FAILURE() << "usage error: " << error->message;
        return {};
    }
    EXPECT_TRUE(std::holds_alternative<CommandOptions>(result));
    return std::holds_alternative<CommandOptions>(result) ? std::get<CommandOptions>(result)
                                                          : CommandOptions{};
}

TEST(ParseArguments, CompleteCommandLine) {
    const CommandOptions o = parsedOrFail(baseArguments());
    EXPECT_EQ(o.durationIndex, 3);
    EXPECT_EQ(o.curveNumber, 75);
    EXPECT_EQ(o.drainageAreaKm2, 50);
    EXPECT_EQ(o.concentrationTimeH, 6.0);
    EXPECT_FALSE(o.channelLengthKm.has_value());
    EXPECT_EQ(o.returnPeriodYears, 100);
    EXPECT_EQ(o.constantsSource, ConstantsSource::StationConstants);
    EXPECT_EQ(o.stationConstants[3], -0.04);
    EXPECT_EQ(o.format, OutputFormat::Report);
    EXPECT_FALSE(o.localeName.has_value());
    EXPECT_FALSE(o.outputPath.has_value());
}

TEST(ParseArguments, AlternativesAndOptionalParts) {
    const Arguments own = with(
        without(without(without(baseArguments(), "--station-constants"), "--tc"), "--duration"),
        {"--own", "2.3,0.2,25,20", "--length=10", "--drop", "100", "--format", "json", "--river",
         "Rio Doce", "--station-name", "Posto X", "--locale", "pt_BR", "--output", "out.txt",
         "--duration", "12"});
    const CommandOptions o = parsedOrFail(own);
    EXPECT_EQ(o.constantsSource, ConstantsSource::Own);
    EXPECT_EQ(o.ownConstants[0], 2.3);
    EXPECT_EQ(o.channelLengthKm, 10.0);
    EXPECT_EQ(o.elevationDropM, 100.0);
    EXPECT_EQ(o.durationIndex, 12);
    EXPECT_EQ(o.format, OutputFormat::Json);
    EXPECT_EQ(o.riverText, "Rio Doce");
    EXPECT_EQ(o.stationText, "Posto X");
    EXPECT_EQ(o.localeName, "pt_BR");
    EXPECT_EQ(o.outputPath, "out.txt");

    const CommandOptions byName =
        parsedOrFail(with(without(baseArguments(), "--station-constants"),
                          {"--station", "Pau d'Alho", "--database", "zeb.mdb"}));
    EXPECT_EQ(byName.constantsSource, ConstantsSource::StationName);
    EXPECT_EQ(byName.stationName, "Pau d'Alho");
    EXPECT_EQ(byName.databasePath, "zeb.mdb");
}

TEST(ParseArguments, ListsAndDatabaseBuilding) {
    const auto list = [](const Arguments& arguments) {
        const ParseResult result = parseArguments(arguments);
        EXPECT_TRUE(std::holds_alternative<ListRequest>(result));
        return std::holds_alternative<ListRequest>(result) ? std::get<ListRequest>(result)
                                                           : ListRequest{};
    };
    const ListRequest stations = list({"--list", "stations"});
    EXPECT_EQ(stations.kind, ListKind::Stations);
    EXPECT_FALSE(stations.databasePath.has_value());
    const ListRequest rural =
        list({"--database", "x.mdb", "--list", "land-classes", "--zone", "Rural"});
    EXPECT_EQ(rural.kind, ListKind::LandClasses);
    EXPECT_EQ(rural.zone, "Rural");
    EXPECT_EQ(rural.databasePath, "x.mdb");

    const ParseResult fromCsv = parseArguments(
        {"--build-database", "o.sqlite", "--curve-numbers", "c.csv", "--stations", "s.csv"});
    ASSERT_TRUE(std::holds_alternative<BuildDatabaseRequest>(fromCsv));
    const auto& csv = std::get<BuildDatabaseRequest>(fromCsv);
    EXPECT_EQ(csv.outputPath, "o.sqlite");
    EXPECT_EQ(csv.stationsCsv, "s.csv");
    EXPECT_EQ(csv.curveNumbersCsv, "c.csv");
    EXPECT_FALSE(csv.accessPath.has_value());
    const ParseResult fromAccess =
        parseArguments({"--build-database", "o.sqlite", "--from-access", "zeb.mdb"});
    ASSERT_TRUE(std::holds_alternative<BuildDatabaseRequest>(fromAccess));
    EXPECT_EQ(std::get<BuildDatabaseRequest>(fromAccess).accessPath, "zeb.mdb");

    // The station text stays unset unless given, so the database's name can stand in.
    EXPECT_FALSE(parsedOrFail(baseArguments()).stationText.has_value());
    EXPECT_EQ(parsedOrFail(with(baseArguments(), {"--station-name", ""})).stationText, "");
}

TEST(ParseArguments, HelpWins) {
    EXPECT_TRUE(std::holds_alternative<HelpRequest>(parseArguments({"--help"})));
    EXPECT_TRUE(std::holds_alternative<HelpRequest>(parseArguments(with(baseArguments(), {"-h"}))));
}

struct UsageCase {
    // Shown by name in test listings.
    friend void PrintTo(const UsageCase& row, std::ostream* out) { *out << row.name; }
    const char* name;
    Arguments arguments;
    const char* messagePart;
};

class UsageErrors : public ::testing::TestWithParam<UsageCase> {};

TEST_P(UsageErrors, AreReportedWithAReason) {
    const ParseResult result = parseArguments(GetParam().arguments);
    const auto* error = std::get_if<UsageError>(&result);
    ASSERT_NE(error, nullptr);
    EXPECT_NE(error->message.find(GetParam().messagePart), std::string::npos) << error->message;
}

struct CaseName {
    std::string operator()(const ::testing::TestParamInfo<UsageCase>& row) const {
        return row.param.name;
    }
};

INSTANTIATE_TEST_SUITE_P(
    Cases, UsageErrors,
    ::testing::Values(
        UsageCase{"Nothing", {}, "falta a opção --duration"},
        UsageCase{"MissingCurveNumber", without(baseArguments(), "--cn"), "--cn"},
        UsageCase{"MissingReturnPeriod", without(baseArguments(), "--return-period"),
                  "--return-period"},
        UsageCase{"MissingTc", without(baseArguments(), "--tc"), "tempo de concentração"},
        UsageCase{"LengthWithoutDrop", with(without(baseArguments(), "--tc"), {"--length", "10"}),
                  "juntos"},
        UsageCase{"LengthAndTc", with(baseArguments(), {"--length", "10", "--drop", "100"}),
                  "não ambos"},
        UsageCase{"NoConstants", without(baseArguments(), "--station-constants"), "constantes"},
        UsageCase{"TwoSourcesOfConstants", with(baseArguments(), {"--own", "1,2,3,4"}),
                  "uma só origem"},
        UsageCase{"DatabaseWithoutStation", with(baseArguments(), {"--database", "zeb.mdb"}),
                  "--database"},
        UsageCase{"Word", with(without(baseArguments(), "--cn"), {"--cn", "abc"}), "\"abc\""},
        UsageCase{"TwoPeriods", with(without(baseArguments(), "--cn"), {"--cn", "1.2.3"}),
                  "\"1.2.3\""},
        UsageCase{"Comma", with(without(baseArguments(), "--area"), {"--area", "2,5"}), "\"2,5\""},
        UsageCase{"Blank", with(without(baseArguments(), "--area"), {"--area", " 5"}), "\" 5\""},
        UsageCase{"Empty", with(without(baseArguments(), "--area"), {"--area", ""}), "--area"},
        UsageCase{"Infinity", with(without(baseArguments(), "--tc"), {"--tc", "inf"}), "\"inf\""},
        UsageCase{"NotANumber", with(without(baseArguments(), "--tc"), {"--tc", "nan"}), "\"nan\""},
        UsageCase{"Overflow", with(without(baseArguments(), "--tc"), {"--tc", "1e999"}),
                  "\"1e999\""},
        UsageCase{"Hexadecimal", with(without(baseArguments(), "--tc"), {"--tc", "0x10"}),
                  "\"0x10\""},
        UsageCase{"SixConstants",
                  with(without(baseArguments(), "--station-constants"),
                       {"--station-constants", "0.2,25,20,-0.04,0.08,0.08"}),
                  "sete números"},
        UsageCase{"EightConstants",
                  with(without(baseArguments(), "--station-constants"),
                       {"--station-constants", "0.2,25,20,-0.04,0.08,0.08,0.08,1"}),
                  "sete números"},
        UsageCase{"EmptyConstant",
                  with(without(baseArguments(), "--station-constants"),
                       {"--station-constants", "0.2,,20,-0.04,0.08,0.08,0.08"}),
                  "sete números"},
        UsageCase{"UnknownDuration",
                  with(without(baseArguments(), "--duration"), {"--duration", "1h"}),
                  "duração desconhecida"},
        UsageCase{"DurationIndexTooLarge",
                  with(without(baseArguments(), "--duration"), {"--duration", "13"}),
                  "duração desconhecida"},
        UsageCase{"NegativeDurationIndex",
                  with(without(baseArguments(), "--duration"), {"--duration", "-1"}),
                  "duração desconhecida"},
        UsageCase{"UnknownFormat", with(baseArguments(), {"--format", "xml"}), "xml"},
        UsageCase{"ChartWithoutOutput", with(baseArguments(), {"--format", "svg"}),
                  "dê --output ARQUIVO"},
        UsageCase{"UnknownOption", with(baseArguments(), {"--verbose"}), "--verbose"},
        UsageCase{"StrayArgument", with(baseArguments(), {"extra"}), "\"extra\""},
        UsageCase{"MissingValueAtEnd", with(baseArguments(), {"--river"}), "espera um valor"},
        UsageCase{"RepeatedOption", with(baseArguments(), {"--cn", "80"}), "mais de uma vez"},
        UsageCase{"EmptyOutput", with(baseArguments(), {"--output", ""}), "--output"},
        UsageCase{"EmptyStationName",
                  with(without(baseArguments(), "--station-constants"), {"--station", ""}),
                  "--station espera"},
        UsageCase{"EmptyDatabase", {"--list", "stations", "--database", ""}, "--database"},
        UsageCase{"UnknownList", {"--list", "postos"}, "stations ou land-classes"},
        UsageCase{
            "ZoneOfStations", {"--list", "stations", "--zone", "Rural"}, "--list land-classes"},
        UsageCase{
            "ZoneNotOfTheWindow", {"--list", "land-classes", "--zone", "Mista"}, "Rural ou Urbana"},
        UsageCase{"ZoneWithoutList", with(baseArguments(), {"--zone", "Rural"}), "--zone"},
        UsageCase{"ListWithRunOptions", with(baseArguments(), {"--list", "stations"}),
                  "não vale com --list"},
        UsageCase{
            "ListAndBuild", {"--list", "stations", "--build-database", "o.sqlite"}, "não ambos"},
        UsageCase{"BuildWithoutInputs", {"--build-database", "o.sqlite"}, "--from-access"},
        UsageCase{"BuildWithHalfTheCsv",
                  {"--build-database", "o.sqlite", "--stations", "s.csv"},
                  "--curve-numbers"},
        UsageCase{"BuildFromBoth",
                  {"--build-database", "o.sqlite", "--stations", "s.csv", "--curve-numbers",
                   "c.csv", "--from-access", "zeb.mdb"},
                  "não ambos"},
        UsageCase{"BuildWithDatabase",
                  {"--build-database", "o.sqlite", "--from-access", "a.mdb", "--database", "b.mdb"},
                  "não vale com --build-database"},
        UsageCase{"CsvWithoutBuild", with(baseArguments(), {"--stations", "s.csv"}),
                  "só vale com --build-database"}),
    CaseName());

TEST(LocaleNames, MapToTheirSeparators) {
    for (const char* name : {"C", "POSIX", "C.UTF-8", "en_US", "en_US.UTF-8", "en_GB"}) {
        const auto style = numberStyleForLocaleName(name);
        ASSERT_TRUE(style.has_value()) << name;
        EXPECT_EQ(style->decimalSeparator, ".") << name;
        EXPECT_EQ(style->groupSeparator, ",") << name;
    }
    for (const char* name : {"pt_BR", "pt_BR.UTF-8", "pt_BR.utf8", "pt_BR@euro"}) {
        const auto style = numberStyleForLocaleName(name);
        ASSERT_TRUE(style.has_value()) << name;
        EXPECT_EQ(style->decimalSeparator, ",") << name;
        EXPECT_EQ(style->groupSeparator, ".") << name;
    }
    for (const char* name : {"", "xx", "pt_PT", "pt_BRA", "en", "c"}) {
        EXPECT_FALSE(numberStyleForLocaleName(name).has_value()) << name;
    }
}

TEST(LocaleNames, SystemLocaleFollowsThePosixPrecedence) {
    EXPECT_EQ(numericLocaleName("pt_BR.UTF-8", "C", "C"), "pt_BR.UTF-8");
    EXPECT_EQ(numericLocaleName("", "pt_BR.UTF-8", "C"), "pt_BR.UTF-8");
    EXPECT_EQ(numericLocaleName("", "", "pt_BR.UTF-8"), "pt_BR.UTF-8");
    EXPECT_EQ(systemNumberStyle("").decimalSeparator, ".");
    EXPECT_EQ(systemNumberStyle("pt_BR.UTF-8").decimalSeparator, ",");
    // A locale the machine does not have falls back to the C separators.
    EXPECT_EQ(systemNumberStyle("xx_YY.UTF-8").decimalSeparator, ".");
}

} // namespace
} // namespace cli
