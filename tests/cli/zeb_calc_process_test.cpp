#include "tests/cli/limit_notes.h"
#include "tests/cli/process_runner.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <unistd.h>
#include <vector>

namespace cli {
namespace {

using fixtures::ProcessOutcome;
using fixtures::readFile;
using fixtures::runZebCalcProcess;
using fixtures::withoutLimitNotes;
using Arguments = std::vector<std::string>;

const std::string kTimestamp = "2024-05-17 14:30:00";

Arguments workedExample(const Arguments& more = {}) {
    return fixtures::workedExampleArguments("1 h", more);
}

Arguments replaced(Arguments arguments, const std::string& option, const std::string& value) {
    for (std::size_t i = 0; i + 1 < arguments.size(); ++i) {
        if (arguments[i] == option) {
            arguments[i + 1] = value;
        }
    }
    return arguments;
}

std::map<std::string, std::string> fixedTime(std::map<std::string, std::string> more = {}) {
    more["ZEB_REPORT_TIMESTAMP"] = kTimestamp;
    return more;
}

TEST(ZebCalcProcess, ReportMatchesTheGoldenFile) {
    const ProcessOutcome run = runZebCalcProcess(
        workedExample({"--format", "report", "--locale", "C", "--river", "Rio Sapucaí",
                       "--station-name", "Posto ilustrativo (São João)"}),
        fixedTime());
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(withoutLimitNotes(run.err), "");
    const std::string golden = readFile(ZEB_TEST_DATA_DIR "/cli/worked_example_report_C.txt");
    ASSERT_FALSE(golden.empty());
    EXPECT_EQ(run.out, golden);
}

TEST(ZebCalcProcess, ReportIsTheDefaultFormat) {
    const ProcessOutcome explicitReport =
        runZebCalcProcess(workedExample({"--format", "report", "--locale", "C"}), fixedTime());
    const ProcessOutcome byDefault =
        runZebCalcProcess(workedExample({"--locale", "C"}), fixedTime());
    EXPECT_EQ(byDefault.exitCode, 0);
    EXPECT_EQ(byDefault.out, explicitReport.out);
}

TEST(ZebCalcProcess, ReportFollowsTheLocale) {
    const ProcessOutcome brazilian =
        runZebCalcProcess(workedExample({"--locale", "pt_BR"}), fixedTime());
    ASSERT_EQ(brazilian.exitCode, 0) << brazilian.err;
    EXPECT_NE(brazilian.out.find("84,67"), std::string::npos);

    // Without --locale the environment decides, LC_ALL first.
    const ProcessOutcome fromLang =
        runZebCalcProcess(workedExample(), fixedTime({{"LANG", "pt_BR.UTF-8"}}));
    EXPECT_EQ(fromLang.out, brazilian.out);
    const ProcessOutcome fromLcAll =
        runZebCalcProcess(workedExample(), fixedTime({{"LANG", "pt_BR.UTF-8"}, {"LC_ALL", "C"}}));
    EXPECT_NE(fromLcAll.out.find("84.67"), std::string::npos);
    const ProcessOutcome noLocale = runZebCalcProcess(workedExample(), fixedTime());
    EXPECT_NE(noLocale.out.find("84.67"), std::string::npos);
}

TEST(ZebCalcProcess, JsonHoldsTheWorkedExample) {
    const ProcessOutcome run = runZebCalcProcess(workedExample({"--format", "json"}));
    ASSERT_EQ(run.exitCode, 0) << run.err;
    for (const char* expected :
         {"\"frequencyFactorK\": 2.30460469636419,", "\"potentialRetentionMm\": 84.66666666666667,",
          "\"riseTimeH\": 4.1,", "\"unitPeakFlow\": 2.536585365853659,",
          "\"incrementalRainfallMm\": [68.97666676135614, 15.481649063709668, 9.361959963281521, "
          "6.800869185624705, 5.384289401214318, 4.483469980760162, 3.8596579236508433, "
          "3.4019472372899884, null, null, null, null, null, null, null]",
          "\"totalFlow\": [0, 0, 0.09650622387492507, 20.870807746719624, 48.69873259373588, "
          "79.0826005967659, 111.18869263575166, 115.33007379001947, 107.39508258631642, "
          "95.98973997157769, 82.65122484305218, 43.82859002555925, 32.01602574525393, "
          "28.521460181433845, 26.318760182647214]"}) {
        EXPECT_NE(run.out.find(expected), std::string::npos) << expected;
    }
}

TEST(ZebCalcProcess, LengthAndDropGiveTcAndStayInTheRecord) {
    Arguments arguments = workedExample({"--format", "json", "--length", "10", "--drop", "100"});
    arguments.erase(arguments.begin() + 6, arguments.begin() + 8); // --tc 6
    const ProcessOutcome run = runZebCalcProcess(arguments);
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_NE(run.out.find("\"channelLengthKm\": 10,"), std::string::npos);
    EXPECT_NE(run.out.find("\"elevationDropM\": 100,"), std::string::npos);
    EXPECT_NE(run.out.find("\"concentrationTimeH\": 2.3052795903282948,"), std::string::npos);
}

TEST(ZebCalcProcess, CsvHasAHeaderAndFifteenRows) {
    const ProcessOutcome run = runZebCalcProcess(workedExample({"--format", "csv"}));
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(std::count(run.out.begin(), run.out.end(), '\n'), 16);
    EXPECT_EQ(run.out.rfind("timesH,", 0), 0u);
}

TEST(ZebCalcProcess, HelpIsPortugueseAndSucceeds) {
    const ProcessOutcome run = runZebCalcProcess({"--help"});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_NE(run.out.find("Uso: zeb-calc"), std::string::npos);
    for (const char* part : {"ZEB_REPORT_TIMESTAMP", "--list stations|land-classes",
                             "--build-database", "--from-access", "4  erro do banco"}) {
        EXPECT_NE(run.out.find(part), std::string::npos) << part;
    }
    EXPECT_EQ(run.err, "");
}

struct FailureCase {
    // Shown by name in test listings.
    friend void PrintTo(const FailureCase& row, std::ostream* out) { *out << row.name; }
    const char* name;
    Arguments arguments;
    int exitCode;
    const char* messagePart;
};

class ZebCalcFailures : public ::testing::TestWithParam<FailureCase> {};

TEST_P(ZebCalcFailures, ExitWithTheirCodeAndNothingOnStdout) {
    const ProcessOutcome run = runZebCalcProcess(GetParam().arguments);
    EXPECT_EQ(run.exitCode, GetParam().exitCode) << run.err;
    EXPECT_EQ(run.out, "");
    EXPECT_NE(run.err.find(GetParam().messagePart), std::string::npos) << run.err;
    if (GetParam().exitCode == 2) {
        EXPECT_NE(run.err.find("Uso: zeb-calc"), std::string::npos) << "usage text on stderr";
    }
}

struct FailureName {
    std::string operator()(const ::testing::TestParamInfo<FailureCase>& row) const {
        return row.param.name;
    }
};

INSTANTIATE_TEST_SUITE_P(
    Cases, ZebCalcFailures,
    ::testing::Values(
        FailureCase{"NoArguments", {}, 2, "falta a opção --duration"},
        FailureCase{"WordAsNumber", replaced(workedExample(), "--cn", "abc"), 2, "\"abc\""},
        FailureCase{"TwoPeriods", replaced(workedExample(), "--area", "1.2.3"), 2, "\"1.2.3\""},
        FailureCase{"UnknownLocale", workedExample({"--locale", "de_DE"}), 2,
                    "localidade desconhecida"},
        FailureCase{"CurveNumberZero", replaced(workedExample(), "--cn", "0"), 3,
                    "Não é possível calcular: o CN não pode ser zero."},
        FailureCase{"LogOfNegative",
                    replaced(workedExample(), "--station-constants", "0.2,25,-1,0,0,0,0.08"), 3,
                    "1 + c·t"}),
    FailureName());

TEST(ZebCalcProcess, DropOfZeroCannotGiveTc) {
    Arguments arguments = workedExample({"--length", "10", "--drop", "0"});
    arguments.erase(arguments.begin() + 6, arguments.begin() + 8); // --tc 6
    const ProcessOutcome run = runZebCalcProcess(arguments);
    EXPECT_EQ(run.exitCode, 3);
    EXPECT_EQ(run.out, "");
    EXPECT_NE(run.err.find("tempo de concentração"), std::string::npos) << run.err;
}

TEST(ZebCalcProcess, FullStandardOutputIsAFailure) {
    for (const Arguments& arguments : {workedExample(), Arguments{"--help"}}) {
        const ProcessOutcome run = runZebCalcProcess(arguments, {}, "/dev/full");
        EXPECT_EQ(run.exitCode, 1);
        EXPECT_NE(run.err.find("saída padrão"), std::string::npos) << run.err;
    }
}

class ZebCalcOutputFile : public ::testing::Test {
protected:
    void SetUp() override {
        m_folder = std::filesystem::path(::testing::TempDir()) /
                   ("zeb-calc-output-" + std::to_string(::getpid()));
        std::filesystem::create_directories(m_folder);
    }
    void TearDown() override { std::filesystem::remove_all(m_folder); }

    std::filesystem::path m_folder;
};

TEST_F(ZebCalcOutputFile, HoldsExactlyWhatStdoutWouldHold) {
    const auto target = m_folder / "relatório.txt";
    const ProcessOutcome toFile = runZebCalcProcess(
        workedExample({"--locale", "C", "--output", target.string()}), fixedTime());
    ASSERT_EQ(toFile.exitCode, 0) << toFile.err;
    EXPECT_EQ(toFile.out, "");
    const ProcessOutcome toStdout =
        runZebCalcProcess(workedExample({"--locale", "C"}), fixedTime());
    EXPECT_EQ(readFile(target.string()), toStdout.out);
    // Nothing but the target is left in the folder.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(m_folder),
                            std::filesystem::directory_iterator()),
              1);
}

TEST_F(ZebCalcOutputFile, FailedRunsLeaveTheOldFileAlone) {
    const auto target = m_folder / "existing.json";
    std::ofstream(target) << "old contents";

    const ProcessOutcome undefined =
        runZebCalcProcess(replaced(workedExample({"--output", target.string()}), "--cn", "0"));
    EXPECT_EQ(undefined.exitCode, 3);
    EXPECT_EQ(readFile(target.string()), "old contents");

    const auto missingFolder = m_folder / "missing" / "out.txt";
    const ProcessOutcome unwritable =
        runZebCalcProcess(workedExample({"--output", missingFolder.string()}));
    EXPECT_EQ(unwritable.exitCode, 1);
    EXPECT_EQ(unwritable.out, "");
    EXPECT_NE(unwritable.err.find(missingFolder.string()), std::string::npos) << unwritable.err;
    EXPECT_FALSE(std::filesystem::exists(missingFolder.parent_path()));

    const ProcessOutcome overwrite =
        runZebCalcProcess(workedExample({"--format", "csv", "--output", target.string()}));
    EXPECT_EQ(overwrite.exitCode, 0) << overwrite.err;
    EXPECT_EQ(readFile(target.string()).rfind("timesH,", 0), 0u);
}

} // namespace
} // namespace cli
