// zeb-calc as a process: the wiring from arguments and environment to exit status, standard
// output, standard error and --output, once each. The rules behind it are tested in process.
#include "calc/limits.h"
#include "tests/cli/process_runner.h"
#include "tests/worked_example.h"
#include "util/path_text.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace cli {
namespace {

namespace fs = std::filesystem;
using fixtures::ProcessOutcome;
using fixtures::readFile;
using fixtures::runZebCalcProcess;
using zebtest::workedExampleArguments;

const std::map<std::string, std::string> kFixedTime = {
    {"ZEB_REPORT_TIMESTAMP", zebtest::kGoldenTimestamp}};
const std::string kNotes = "zeb-calc: aviso: " + std::string(calc::kFloodNotRecededNote) +
                           "\nzeb-calc: aviso: " + std::string(calc::kUnitHydrographCutNote) + "\n";

class ZebCalcProcess : public testing::Test {
protected:
    zebtest::TemporaryFolder m_temporary;
    const fs::path m_folder = m_temporary.path();
};

TEST_F(ZebCalcProcess, WritesTheReportToStandardOutputOrToOutputWhole) {
    const ProcessOutcome run =
        runZebCalcProcess(workedExampleArguments({"--river", zebtest::kGoldenRiver,
                                                  "--station-name", zebtest::kGoldenStation}),
                          kFixedTime);
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.out, zebtest::dataFile("worked-example-report.txt"));
    EXPECT_EQ(run.err, kNotes) << "the limit notes go to standard error";

    // With --own the report names the typed constants where it names a station.
    const ProcessOutcome own = runZebCalcProcess(
        {"--own", "2.3,0.2,25,20", "--duration", "1 h", "--area", "50", "--tc", "6", "--cn", "75"});
    EXPECT_NE(own.out.find("Equa\xE7\xE3o pr\xF3pria: K=2.3 a=0.2 b=25 c=20\r\n"),
              std::string::npos)
        << own.out;
    // With --idf it names the equation and its units, and looks up no station.
    const std::vector<std::string> basin = {
        "--duration", "1 h", "--return-period", "100", "--area", "50", "--tc", "6", "--cn", "75"};
    auto withIdf = basin;
    withIdf.insert(withIdf.end(), {"--idf", "897.79,0.1463,11.83,0.758"});
    const ProcessOutcome idf = runZebCalcProcess(withIdf, kFixedTime);
    const std::size_t line5 = idf.out.find("Equa\xE7\xE3o IDF: K=897.79 m=0.1463 t0=11.83 n=0.758");
    ASSERT_NE(line5, std::string::npos) << idf.err;
    // A station that holds the same equation gives the same report, line 5 naming it.
    zebtest::TemporaryFolder other;
    const std::string stations = (other.path() / "p.csv").string();
    const std::string curveNumbers = (other.path() / "cn.csv").string();
    const std::string database = (other.path() / "idf.sqlite").string();
    zebtest::writeFile(curveNumbers, "id,terreno,zona,cn\n1,Mata,Rural,55\n");
    zebtest::writeFile(stations, "codigo,nome,estado,a,b,c,B5,B15,B30,Bm,idf-K,idf-m,idf-t0,idf-n\n"
                                 "3,Campinas,SP,,,,,,,,897.79,0.1463,11.83,0.758\n");
    ASSERT_EQ(runZebCalcProcess({"--build-database", database, "--stations", stations,
                                 "--curve-numbers", curveNumbers})
                  .exitCode,
              0);
    auto withStation = basin;
    withStation.insert(withStation.end(), {"--station", "Campinas", "--database", database});
    std::string expected = idf.out;
    expected.replace(line5 - 15, expected.find('\r', line5) - line5 + 15,
                     std::string(21, ' ') + "Posto: Campinas");
    EXPECT_EQ(runZebCalcProcess(withStation, kFixedTime).out, expected);

    // The environment's locale, LC_ALL first, and --output.
    const fs::path target = m_folder / util::pathFromUtf8("relatório.txt");
    std::ofstream(target) << "old contents";
    std::map<std::string, std::string> environment{{"LANG", "C"}, {"LC_NUMERIC", "pt_BR.UTF-8"}};
    environment["ZEB_REPORT_TIMESTAMP"] = "2019-09-29 19:59:09"; // a 9 in every field
    std::vector<std::string> arguments = {"--output", util::utf8FromPath(target)};
#ifdef _WIN32
    // Windows takes the style from the user's regional settings, never from the environment.
    arguments.insert(arguments.end(), {"--locale", "pt-BR"});
#endif
    const ProcessOutcome toFile = runZebCalcProcess(workedExampleArguments(arguments), environment);
    EXPECT_EQ(toFile.exitCode, 0);
    EXPECT_EQ(toFile.out, "");
    EXPECT_NE(readFile(target).find("84,67"), std::string::npos);
    EXPECT_EQ(std::distance(fs::directory_iterator(m_folder), fs::directory_iterator()), 1);
}

TEST_F(ZebCalcProcess, FailuresExitWithTheirCodeAndNothingOnStandardOutput) {
    const fs::path kept = m_folder / "kept.txt";
    std::ofstream(kept) << "old contents";
    // A copy of the shipped database, and a link to it.
    const fs::path database = m_folder / "zeb.sqlite";
    fs::copy_file(ZEB_SHIPPED_DATABASE, database);
    // A symbolic link where the system makes one (not Wine), else a hard link: another name for
    // the same file either way.
    std::error_code noSymbolicLink;
    fs::create_symlink(database, m_folder / "link.sqlite", noSymbolicLink);
    if (noSymbolicLink) {
        fs::create_hard_link(database, m_folder / "link.sqlite");
    }
    const std::string databaseBytes = readFile(database);
    const std::string series = (m_folder / "serie.csv").string();
    std::ofstream(series) << "date,mm\n2001-01-01,1\n2001-02-30,2\n";
    const std::string badHeader = (m_folder / "cabecalho.csv").string();
    std::ofstream(badHeader) << "id,x\n";
    const std::string unwritten = (m_folder / "novo.csv").string();
    // clang-format off
    const std::vector<std::string> byCode = {"--code", "1", "--database", database.string(),
        "--duration", "1 h", "--area", "50", "--tc", "6", "--cn", "75", "--return-period", "100",
        "--output", (m_folder / "link.sqlite").string()};
    // clang-format on
    struct Row {
        std::vector<std::string> arguments;
        int exitCode;
        std::string errStart;
    };
    const Row rows[] = {
        {{"--cn", "75"}, 2, "zeb-calc: falta a opção --duration.\n\nUso: zeb-calc"},
        {{"--duration", "1 h", "--return-period", "100", "--area", "50", "--tc", "6", "--cn", "0",
          "--station-constants", "0.2,25,20,-0.04,0.08,0.08,0.08", "--output", kept.string()},
         3,
         "zeb-calc: Não é possível calcular: o CN não pode ser zero.\n"},
        {byCode, 2, "zeb-calc: --output é o próprio banco de dados lido"},
        {{"--duration", "1 h", "--area", "50", "--tc", "-5", "--cn", "150", "--own", "1,2,3,4"},
         2,
         "zeb-calc: Valor inválido: o CN deve ser maior que 0 e no máximo 100.\n\nUso:"},
        {{"--batch", "none.csv"}, 2, "zeb-calc: o arquivo de bacias \"none.csv\" não existe."},
        {{"--fit-idf", series, "--output", series},
         2,
         "zeb-calc: --output é o próprio arquivo da série lido"},
        {{"--fit-idf", series},
         2,
         "zeb-calc: a série \"" + series + "\", linha 3: a data \"2001-02-30\" não existe.\n"},
        {{"--batch", badHeader},
         2,
         "zeb-calc: cabeçalho do arquivo de bacias: coluna desconhecida"},
        {{"--batch", badHeader, "--output", unwritten}, 2, "zeb-calc: cabeçalho do arquivo"},
        {{"--study", "--area", "50", "--tc", "6", "--cn", "0", "--station-constants",
          "0.2,25,20,-0.04,0.08,0.08,0.08", "--durations", "1 h", "--return-periods", "100"},
         3,
         "zeb-calc: duração 1 h, TR 100 anos: Não é possível calcular: o CN não pode ser zero.\n"},
        {workedExampleArguments({"--output", (m_folder / "no" / "r.txt").string()}), 1,
         kNotes + "zeb-calc: Não foi possível gravar o arquivo " + (m_folder / "no").string()},
    };
    for (const Row& row : rows) {
        const ProcessOutcome run = runZebCalcProcess(row.arguments);
        EXPECT_EQ(run.exitCode, row.exitCode) << run.err;
        EXPECT_EQ(run.out, "");
        EXPECT_EQ(run.err.rfind(row.errStart, 0), 0u) << run.err;
    }
    EXPECT_EQ(readFile(kept), "old contents");
    EXPECT_EQ(readFile(database), databaseBytes);
    EXPECT_FALSE(fs::exists(unwritten)) << "a batch that stopped leaves no output file";

    // A malformed time stamp is refused; a full standard output fails with a message.
    const ProcessOutcome stamp = runZebCalcProcess(
        workedExampleArguments(), {{"ZEB_REPORT_TIMESTAMP", "2024-13-01 00:00:00"}});
    EXPECT_EQ(stamp.exitCode, 2);
    EXPECT_NE(stamp.err.find("ZEB_REPORT_TIMESTAMP deve ter a forma"), std::string::npos);
    const ProcessOutcome full = runZebCalcProcess({"--help"}, {}, "/dev/full");
    EXPECT_EQ(full.exitCode, 1);
    EXPECT_EQ(full.err, "zeb-calc: não foi possível escrever na saída padrão.\n");
}

// The shipped gauge's series fitted, as JSON.
TEST_F(ZebCalcProcess, FitIdfWritesTheAnalysisOfTheShippedSeries) {
    const ProcessOutcome run = runZebCalcProcess(
        {"--fit-idf", ZEB_TEST_DATA_DIR "/hidroweb_01943022.csv", "--format", "json"});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.err, "");
    for (const char* part :
         {"{\n  \"years\": [\n    {\"year\": 2000, \"maxDailyMm\": 173, \"missingDays\": 2},",
          "\n  ],\n  \"yearsLeftOut\": [],\n  \"gumbel\": {\"meanMm\": 107.285714285714",
          "\"ksCritical5pct\": 0.2967763307", "\"equation\": {\"K\": 1122.825", "\"t0\": 11.8272",
          "\"r2\": 0.995206688", "\"sse\": 0.181224694",
          "\"points\": [\n    {\"durationMin\": 5, \"returnPeriodYears\": 2, \"intensityMmH\": "
          "145.178584778943"}) {
        EXPECT_NE(run.out.find(part), std::string::npos) << part;
    }
}

TEST_F(ZebCalcProcess, ChartFormatsAreDrawnWithoutADisplayIntoOutput) {
    const std::pair<const char*, std::string> formats[] = {
        {"png", "\x89PNG\r\n\x1a\n"}, {"svg", "<?xml"}, {"pdf", "%PDF-"}};
    for (const auto& [format, magic] : formats) {
        const fs::path target = m_folder / (std::string("chart.") + format);
        const ProcessOutcome run = runZebCalcProcess(
            workedExampleArguments({"--format", format, "--output", target.string()}),
            {{"QT_QPA_PLATFORM", "xcb"}, {"DISPLAY", ":99"}});
        EXPECT_EQ(run.exitCode, 0) << run.err;
        EXPECT_EQ(run.err, kNotes);
        EXPECT_EQ(readFile(target).rfind(magic, 0), 0u) << format;
    }
#ifndef _WIN32 // poppler's pdftotext is a Linux program, which reads no Windows path
    const std::string pdf = (m_folder / "chart.pdf").string();
    const std::string text = fixtures::runProgramProcess("/usr/bin/pdftotext", {pdf, "-"}).out;
    EXPECT_NE(text.find("Pico: 115.33 m³/s em 8.00 h"), std::string::npos) << text;
#endif
}

// A study file is never written over by the run it gives; what it gives is checked in process.
TEST_F(ZebCalcProcess, StudyFileIsNeverWrittenOver) {
    const fs::path file = m_folder / "estudo.zeb";
    const std::string study = report::studyFileBytes(zebtest::workedExampleStudy());
    std::ofstream(file, std::ios::binary) << study;
    EXPECT_EQ(runZebCalcProcess({"--input", file.string(), "--output", file.string()}).exitCode, 2);
    EXPECT_EQ(readFile(file), study);
}

// A study's row and a batch's row are the single run's figures: the golden CSV's peak, in the
// spreadsheet's form when asked.
TEST_F(ZebCalcProcess, StudyAndBatchRowsAreTheSingleRunsFigures) {
    const std::string peak = "115.33007379001947";
    // clang-format off
    std::vector<std::string> arguments = {"--study", "--area", "50", "--tc", "6", "--cn", "75",
        "--station-constants", "0.2,25,20,-0.04,0.08,0.08,0.08", "--durations", "1 h",
        "--return-periods", "100,10", "--csv-style", "planilha"};
    // clang-format on
    const ProcessOutcome study = runZebCalcProcess(arguments);
    EXPECT_EQ(study.exitCode, 0);
    EXPECT_NE(study.out.find("\n1 h;100;115,33007379001947;"), std::string::npos) << study.out;
    arguments.insert(arguments.end(), {"--output", (m_folder / "estudo.csv").string()});
    EXPECT_EQ(runZebCalcProcess(arguments).exitCode, 0);
    EXPECT_EQ(readFile(m_folder / "estudo.csv"), study.out) << "written as computed, the same";

    const fs::path basins = m_folder / "bacias.csv";
    std::ofstream(basins) << "id,duration,return-period,area,tc,cn,a,b,c,B5,B15,B30,Bm\n"
                             "x,1 h,100,50,6,75,0.2,25,20,-0.04,0.08,0.08,0.08\n"
                             "y,1 h,100,-50,6,75,0.2,25,20,-0.04,0.08,0.08,0.08\n";
    const ProcessOutcome batch = runZebCalcProcess({"--batch", basins.string(), "--jobs", "2"});
    EXPECT_EQ(batch.exitCode, 3);
    EXPECT_NE(batch.out.find("\nx," + peak + ","), std::string::npos) << batch.out;
    EXPECT_NE(batch.out.find("\ny,,,,,,linha 3: Valor inválido"), std::string::npos) << batch.out;
}

} // namespace
} // namespace cli
