// zeb-calc over the reference database, run as a process: stations by name and code, the
// lists, building one's own database, where the database is looked for, and every failure.
#include "tests/cli/limit_notes.h"
#include "tests/cli/process_runner.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <unistd.h>
#include <vector>

namespace cli {
namespace {

namespace fs = std::filesystem;
using fixtures::ProcessOutcome;
using fixtures::readFile;
using fixtures::runZebCalcProcess;
using fixtures::withoutLimitNotes;
using Arguments = std::vector<std::string>;

const std::string kData = ZEB_TEST_DATA_DIR;
const std::string kEdgeCases = kData + "/edge-cases.mdb";
const std::string kShippedStation = "Posto de exemplo (valores ilustrativos)";

// The worked example's inputs, without the station constants.
Arguments basin(const Arguments& more) {
    Arguments arguments{"--duration", "1 h", "--return-period", "100", "--area", "50", "--tc", "6",
                        "--cn",       "75",  "--locale",        "C"};
    arguments.insert(arguments.end(), more.begin(), more.end());
    return arguments;
}

std::map<std::string, std::string> fixedTime() {
    return {{"ZEB_REPORT_TIMESTAMP", "2024-05-17 14:30:00"}};
}

std::string reportLine(const std::string& report, int number) {
    std::size_t start = 0;
    for (int i = 1; i < number; ++i) {
        start = report.find("\r\n", start) + 2;
    }
    return report.substr(start, report.find("\r\n", start) - start);
}

class DatabaseOptions : public ::testing::Test {
protected:
    void SetUp() override {
        m_folder = fs::path(::testing::TempDir()) /
                   ("zeb-calc-db-" + std::to_string(::getpid()) + "-" +
                    ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(m_folder);
        fs::create_directories(m_folder);
    }
    void TearDown() override { fs::remove_all(m_folder); }

    // An SQLite twin of an Access fixture, made by the user command itself.
    std::string converted(const std::string& mdb) {
        const std::string out = (m_folder / (fs::path(mdb).stem().string() + ".sqlite")).string();
        const ProcessOutcome run =
            runZebCalcProcess({"--build-database", out, "--from-access", mdb});
        EXPECT_EQ(run.exitCode, 0) << run.err;
        EXPECT_EQ(run.out.rfind("Banco de dados " + out + " gravado: ", 0), 0u) << run.out;
        return out;
    }

    std::string write(const std::string& name, const std::string& contents) {
        const fs::path file = m_folder / name;
        std::ofstream(file, std::ios::binary) << contents;
        return file.string();
    }

    fs::path m_folder;
};

TEST_F(DatabaseOptions, StationWithAnApostropheComputesAlikeFromAccessAndSqlite) {
    const Arguments station = basin({"--station", "Pau d'Alho"});
    Arguments fromAccess = station;
    fromAccess.insert(fromAccess.end(), {"--database", kEdgeCases});
    Arguments fromSqlite = station;
    fromSqlite.insert(fromSqlite.end(), {"--database", converted(kEdgeCases)});

    const ProcessOutcome access = runZebCalcProcess(fromAccess, fixedTime());
    const ProcessOutcome sqlite = runZebCalcProcess(fromSqlite, fixedTime());
    ASSERT_EQ(access.exitCode, 0) << access.err;
    ASSERT_EQ(sqlite.exitCode, 0) << sqlite.err;
    EXPECT_EQ(withoutLimitNotes(access.err), "");
    EXPECT_EQ(sqlite.out, access.out);

    // That station's own constants, and its name on line 5.
    const ProcessOutcome given =
        runZebCalcProcess(basin({"--station-constants", "0.5,25,15,0.0,0.04,0.08,0.08",
                                 "--station-name", "Pau d'Alho"}),
                          fixedTime());
    EXPECT_EQ(access.out, given.out);
    EXPECT_EQ(reportLine(access.out, 5), "                     Posto: Pau d'Alho");
}

TEST_F(DatabaseOptions, ShippedStationReproducesTheWorkedExampleReport) {
    // No --database: the zeb.sqlite built beside zeb-calc is found in the program's folder.
    const ProcessOutcome run =
        runZebCalcProcess(basin({"--station", kShippedStation, "--river", "Rio Sapucaí",
                                 "--station-name", "Posto ilustrativo (São João)"}),
                          fixedTime());
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.out, readFile(kData + "/worked-example-report.txt"));

    const ProcessOutcome byCode = runZebCalcProcess(basin({"--code", "1"}), fixedTime());
    ASSERT_EQ(byCode.exitCode, 0) << byCode.err;
    EXPECT_EQ(withoutLimitNotes(byCode.err), "");
    EXPECT_EQ(reportLine(byCode.out, 5), "                     Posto: " + kShippedStation);
}

TEST_F(DatabaseOptions, CodeOfASharedNameWarnsAndUsesTheFirstStation) {
    const auto run = [](const Arguments& more) {
        Arguments arguments = basin({"--format", "json", "--database", kEdgeCases});
        arguments.insert(arguments.end(), more.begin(), more.end());
        return runZebCalcProcess(arguments);
    };
    const ProcessOutcome second = run({"--code", "103"});
    const ProcessOutcome first = run({"--code", "101"});
    const ProcessOutcome byName = run({"--station", "Vila Rica"});
    ASSERT_EQ(second.exitCode, 0) << second.err;
    EXPECT_NE(second.err.find("aviso: o código \"103\""), std::string::npos) << second.err;
    EXPECT_NE(second.err.find("\"101\" (MG)"), std::string::npos) << second.err;
    EXPECT_EQ(withoutLimitNotes(first.err), "");
    EXPECT_EQ(second.out, first.out);
    EXPECT_EQ(second.out, byName.out);
}

TEST_F(DatabaseOptions, ListsKeepTheStoredOrderInBothFormats) {
    struct ListCase {
        Arguments arguments;
        std::string expected;
    };
    const std::vector<ListCase> cases = {
        {{"--list", "stations"},
         "101\tVila Rica\tMG\n102\tPau d'Alho\tPE\n103\tVila Rica\tGO\n"
         "104\tSão José dos Campos\tSP\n105\t\tRJ\n106\tOlho d'Água\tAL\n"
         "107\tItaú de Minas\tMG\n"},
        // Every row, a class of both zones twice and the zone "Mista" included.
        {{"--list", "land-classes"},
         "Matas em boas condições - solo B\nPastagens em boas condições - solo B\n"
         "Matas em boas condições - solo B\nLotes de 500 m² (38% impermeável) - solo B\n"
         "Área de várzea\nMata d'água - solo D\nEstacionamentos pavimentados - solo C\n"
         "Pastagens em boas condições - solo B\n"},
        {{"--list", "land-classes", "--zone", "Rural"},
         "Matas em boas condições - solo B\nPastagens em boas condições - solo B\n"
         "Mata d'água - solo D\n"},
        {{"--list", "land-classes", "--zone", "Urbana"},
         "Matas em boas condições - solo B\nLotes de 500 m² (38% impermeável) - solo B\n"
         "Estacionamentos pavimentados - solo C\nPastagens em boas condições - solo B\n"},
    };
    for (const std::string& database : {kEdgeCases, converted(kEdgeCases)}) {
        for (const ListCase& row : cases) {
            Arguments arguments = row.arguments;
            arguments.insert(arguments.end(), {"--database", database});
            const ProcessOutcome run = runZebCalcProcess(arguments);
            EXPECT_EQ(run.exitCode, 0) << run.err;
            EXPECT_EQ(run.out, row.expected) << database << " " << row.arguments.back();
        }
    }
}

TEST_F(DatabaseOptions, MissingStationConstantIsAnUndefinedCalculation) {
    const std::string mdb = kData + "/null-values.mdb";
    for (const std::string& database : {mdb, converted(mdb)}) {
        const ProcessOutcome run =
            runZebCalcProcess(basin({"--station", "Posto Sem Bm", "--database", database}));
        EXPECT_EQ(run.exitCode, 3) << database << ": " << run.err;
        EXPECT_EQ(run.out, "");
        EXPECT_NE(run.err.find("Bm"), std::string::npos) << run.err;
    }
}

TEST_F(DatabaseOptions, DatabaseFailuresExitFourNamingTheFile) {
    const std::string missing = (m_folder / "nenhum.mdb").string();
    const std::string text = write("texto.mdb", "codigo,nome,estado\n1,Posto,SP\n");
    const std::string truncatedMdb = (m_folder / "truncado.mdb").string();
    fs::copy_file(kEdgeCases, truncatedMdb);
    fs::resize_file(truncatedMdb, fs::file_size(truncatedMdb) / 2);
    const std::string sqlite = converted(kEdgeCases);
    const std::string truncatedSqlite = (m_folder / "truncado.sqlite").string();
    fs::copy_file(sqlite, truncatedSqlite);
    fs::resize_file(truncatedSqlite, 1000);

    struct FailureCase {
        Arguments arguments;
        std::string file;
        std::string problem;
    };
    const std::vector<FailureCase> cases = {
        {{"--list", "stations", "--database", missing}, missing, "não existe"},
        {{"--list", "stations", "--database", text}, text, "nem Access"},
        {{"--list", "stations", "--database", truncatedMdb}, truncatedMdb, "corrompido"},
        {{"--list", "stations", "--database", truncatedSqlite}, truncatedSqlite, "corrompido"},
        {basin({"--station", "Pau d'Alho", "--database", truncatedMdb}), truncatedMdb,
         "corrompido"},
        {{"--list", "stations", "--database", kData + "/wrong-table-names.mdb"},
         "wrong-table-names.mdb",
         "tabela \"zeb\""},
        {basin({"--station", "Pau d'Alho", "--database", kData + "/missing-bm-column.mdb"}),
         "missing-bm-column.mdb", "coluna \"Bm\""},
        {basin({"--station", "Pau d'Alho ", "--database", kEdgeCases}), kEdgeCases,
         "não há posto com o nome \"Pau d'Alho \""},
        {basin({"--code", "999", "--database", kEdgeCases}), kEdgeCases,
         "não há posto com o código \"999\""},
        {basin({"--code", "105", "--database", kEdgeCases}), kEdgeCases, "nome vazio"},
    };
    for (const FailureCase& row : cases) {
        const ProcessOutcome run = runZebCalcProcess(row.arguments);
        EXPECT_EQ(run.exitCode, 4) << row.file << ": " << run.err;
        EXPECT_EQ(run.out, "");
        EXPECT_EQ(run.err.rfind("zeb-calc: Banco de dados ", 0), 0u) << run.err;
        EXPECT_NE(run.err.find(row.file), std::string::npos) << run.err;
        EXPECT_NE(run.err.find(row.problem), std::string::npos) << run.err;
    }
}

TEST_F(DatabaseOptions, BadCsvIsRefusedWithFileLineAndReasonAndTheOldFileKept) {
    const std::string header = "codigo,nome,estado,a,b,c,B5,B15,B30,Bm\n";
    const std::string good = "1,Posto,SP,0.2,25,20,-0.04,0.08,0.08,0.08\n";
    const std::string curves = write("cn.csv", "id,terreno,zona,cn\n1,Mata - solo B,Rural,55\n");
    const std::string out = write("banco.sqlite", "old contents");

    struct CsvCase {
        std::string stations;
        std::string lineAndReason;
    };
    const std::vector<CsvCase> cases = {
        {header + good + "2,Outro,SP,0.2,abc,20,-0.04,0.08,0.08,0.08\n",
         ", linha 3: o valor de \"b\" não é um número: \"abc\""},
        {header + good + "3,,SP,0.2,25,20,-0.04,0.08,0.08,0.08\n",
         ", linha 3: o nome do posto está vazio"},
        {"codigo,nome,estado,a,b,c,B5,B15,B30\n" + good, ", linha 1: falta a coluna \"Bm\""},
    };
    for (const CsvCase& row : cases) {
        const std::string stations = write("postos.csv", row.stations);
        const ProcessOutcome run = runZebCalcProcess(
            {"--build-database", out, "--stations", stations, "--curve-numbers", curves});
        EXPECT_EQ(run.exitCode, 4) << run.err;
        EXPECT_EQ(run.out, "");
        EXPECT_NE(run.err.find("Arquivo " + stations + row.lineAndReason), std::string::npos)
            << run.err;
        EXPECT_EQ(readFile(out), "old contents");
    }

    const ProcessOutcome built =
        runZebCalcProcess({"--build-database", out, "--stations",
                           write("postos.csv", header + good), "--curve-numbers", curves});
    EXPECT_EQ(built.exitCode, 0) << built.err;
    EXPECT_EQ(built.out, "Banco de dados " + out + " gravado: 1 posto, 1 classe de terreno.\n");
    EXPECT_EQ(runZebCalcProcess({"--list", "stations", "--database", out}).out, "1\tPosto\tSP\n");
}

TEST_F(DatabaseOptions, BuildingOverItsOwnInputIsRefused) {
    const std::string mdb = (m_folder / "zeb.mdb").string();
    fs::copy_file(kEdgeCases, mdb);
    const std::string before = readFile(mdb);
    const ProcessOutcome run = runZebCalcProcess({"--build-database", mdb, "--from-access", mdb});
    EXPECT_EQ(run.exitCode, 4);
    EXPECT_NE(run.err.find("próprio arquivo de entrada"), std::string::npos) << run.err;
    EXPECT_EQ(readFile(mdb), before);
}

// A copy of zeb-calc in <prefix>/bin finds its database as the program does: zeb.mdb, then
// zeb.sqlite, beside itself, then in <prefix>/share/zeb; none is a message naming the four.
TEST_F(DatabaseOptions, WithoutDatabaseTheProgramFolderComesBeforeTheDataFolder) {
    const fs::path bin = m_folder / "bin";
    const fs::path share = m_folder / "share" / "zeb";
    fs::create_directories(bin);
    fs::create_directories(share);
    fs::copy_file(ZEB_CALC_PATH, bin / "zeb-calc");
    const std::string program = (bin / "zeb-calc").string();
    const auto listStations = [&program] {
        return fixtures::runProgramProcess(program, {"--list", "stations"});
    };

    const ProcessOutcome none = listStations();
    EXPECT_EQ(none.exitCode, 4);
    EXPECT_EQ(none.out, "");
    for (const fs::path& place :
         {bin / "zeb.mdb", bin / "zeb.sqlite", share / "zeb.mdb", share / "zeb.sqlite"}) {
        EXPECT_NE(none.err.find(place.lexically_normal().string()), std::string::npos) << none.err;
    }

    fs::copy_file(converted(kEdgeCases), share / "zeb.sqlite");
    EXPECT_EQ(listStations().out.rfind("101\tVila Rica\tMG\n", 0), 0u);
    fs::copy_file(fs::path(ZEB_CALC_PATH).parent_path() / "zeb.sqlite", bin / "zeb.sqlite");
    EXPECT_EQ(listStations().out, "1\t" + kShippedStation + "\tXX\n");
    // An Access file beside the program wins, and a damaged one is reported, not skipped.
    write("bin/zeb.mdb", "not a database");
    const ProcessOutcome damaged = listStations();
    EXPECT_EQ(damaged.exitCode, 4);
    EXPECT_NE(damaged.err.find((bin / "zeb.mdb").string()), std::string::npos) << damaged.err;
}

} // namespace
} // namespace cli
