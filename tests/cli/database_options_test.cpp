// zeb-calc over the reference database: the station a run takes from it (in process), and the
// wiring of the database commands, run as a process.
#include "cli/exit_codes.h"
#include "cli/station_source.h"
#include "cli/system.h"
#include "tests/cli/process_runner.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace cli {
namespace {

namespace fs = std::filesystem;
using fixtures::ProcessOutcome;
using fixtures::runZebCalcProcess;

const std::string kEdgeCases = ZEB_TEST_DATA_DIR "/edge-cases.mdb";

// What chooseStation gives, as one text: "name|a|warning", or "exit code|message".
std::string chosen(ConstantsSource source, const std::string& text,
                   std::optional<std::string> database = kEdgeCases) {
    CommandOptions options;
    options.constantsSource = source;
    (source == ConstantsSource::StationCode ? options.stationCode : options.stationName) = text;
    options.databasePath = std::move(database);
    const auto result = chooseStation(options, std::nullopt);
    if (!result) {
        return std::to_string(exitCodeOf(result.failure())) + "|" + result.failure().message;
    }
    const ChosenStation& station = *result;
    return station.station.name + "|" + std::to_string(*station.station.coefficients()->a) + "|" +
           station.warning;
}

TEST(DatabaseStation, NameOrCodeAsTheWindowPicksThem) {
    const std::string failure = "4|Banco de dados " + kEdgeCases + ": ";
    EXPECT_EQ(chosen(ConstantsSource::StationName, "Pau d'Alho"), "Pau d'Alho|0.500000|");
    EXPECT_EQ(chosen(ConstantsSource::StationName, "Pau d'Alho "),
              failure + "não há posto com o nome \"Pau d'Alho \".");
    // 103 is named as 101, which comes first: the window uses 101's constants, and says so.
    EXPECT_EQ(chosen(ConstantsSource::StationCode, "103"),
              "Vila Rica|0.300000|aviso: o código \"103\" tem o nome \"Vila Rica\", que no banco "
              "pertence primeiro ao posto de código \"101\" (MG); como na janela, são usadas as "
              "constantes desse posto.");
    EXPECT_EQ(chosen(ConstantsSource::StationCode, "999"),
              failure + "não há posto com o código \"999\".");
    EXPECT_EQ(chosen(ConstantsSource::StationCode, "105"),
              failure + "o posto de código \"105\" tem o nome vazio, e a janela não consulta um "
                        "posto sem nome.");
    EXPECT_EQ(chosen(ConstantsSource::StationName, "Vila Rica", std::nullopt),
              "4|Banco de dados não encontrado: a pasta do programa não pôde ser determinada (" +
                  std::string(cli::system::kProgramPathSource) +
                  "); indique o banco com --database.");
}

class DatabaseCommands : public ::testing::Test {
protected:
    std::string write(const std::string& name, const std::string& contents) {
        zebtest::writeFile(m_folder / name, contents);
        return (m_folder / name).string();
    }

    zebtest::TemporaryFolder m_temporary;
    const fs::path m_folder = m_temporary.path();
};

TEST_F(DatabaseCommands, ListsComeFromTheGivenFileOrTheOneBesideTheProgram) {
    const ProcessOutcome access =
        runZebCalcProcess({"--list", "stations", "--database", kEdgeCases});
    EXPECT_EQ(access.exitCode, 0) << access.err;
    EXPECT_EQ(access.out, "101\tVila Rica\tMG\n102\tPau d'Alho\tPE\n103\tVila Rica\tGO\n"
                          "104\tSão José dos Campos\tSP\n105\t\tRJ\n106\tOlho d'Água\tAL\n"
                          "107\tItaú de Minas\tMG\n");
    const ProcessOutcome shipped = runZebCalcProcess({"--list", "stations"});
    EXPECT_EQ(shipped.out, "1\tPosto de exemplo (valores ilustrativos)\tXX\n") << shipped.err;
}

TEST_F(DatabaseCommands, BuildingCountsWhatWasWrittenAndNeverWritesOverItsInput) {
    // A name with a line break and an escape sequence, which the list shows as codes.
    const std::string stations = write("postos.csv", "codigo,nome,estado,a,b,c,B5,B15,B30,Bm\n"
                                                     "1,\"P\nx\x1b[2J\",SP,1,2,3,4,5,6,7\n");
    const std::string curveNumbers = write("cn.csv", "id,terreno,zona,cn\n");
    const std::string out = (m_folder / "banco.sqlite").string();
    const ProcessOutcome built = runZebCalcProcess(
        {"--build-database", out, "--stations", stations, "--curve-numbers", curveNumbers});
    EXPECT_EQ(built.exitCode, 0) << built.err;
    // 24 h, TR 100: 100^(0.17 + 7/100^0.25) * (24 + 2*log10(73)) mm, kept with a warning.
    EXPECT_EQ(built.out, "Banco de dados " + out +
                             " gravado: 1 posto, 0 classes de terreno.\nAviso: posto "
                             "\"P\\x0ax\\x1b[2J\" (código 1): a chuva de 24 h e TR 100 anos é "
                             "1622131,5 mm, fora do usual (30 a 600 mm).\n");
    EXPECT_EQ(runZebCalcProcess({"--list", "stations", "--database", out}).out,
              "1\tP\\x0ax\\x1b[2J\tSP\n");

    const ProcessOutcome refused =
        runZebCalcProcess({"--build-database", curveNumbers, "--stations", stations,
                           "--curve-numbers", curveNumbers});
    EXPECT_EQ(refused.exitCode, 2);
    EXPECT_EQ(refused.err.rfind("zeb-calc: --build-database é o próprio arquivo de CN lido, \"" +
                                    curveNumbers + "\"; dê outro nome ao arquivo de saída.\n",
                                0),
              0u)
        << refused.err;
    EXPECT_EQ(fixtures::readFile(curveNumbers), "id,terreno,zona,cn\n");
}

} // namespace
} // namespace cli
