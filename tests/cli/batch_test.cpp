#include "cli/batch.h"

#include "cli/exit_codes.h"
#include "cli/options.h"
#include "report/study_table.h"

#include "tests/cli/heap_in_use.h"
#include "tests/test_files.h"
#include "tests/worked_example.h"
#include "util/path_text.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <sstream>

namespace {

// One station, "Posto A" with code 7, holding the worked example's constants, and "Posto IDF"
// holding an IDF equation; "Falho" breaks the database.
class FakeStations : public cli::BatchStations {
public:
    Answer byName(const std::string& name) override {
        if (name == "Posto IDF") {
            return calc::StationRainfall{
                calc::StationIdfEquation{{897.79, 0.1463, 11.83, 0.758}, ""}};
        }
        return answer(name == "Posto A", name);
    }
    Answer byCode(const std::string& code) override { return answer(code == "7", code); }
    int lookups = 0;
    std::size_t heapPeak = 0; // the most bytes in use at a lookup

private:
    Answer answer(bool found, const std::string& key) {
        ++lookups;
        heapPeak = std::max(heapPeak, zebtest::heapInUse());
        if (key == "Falho") {
            return util::Failure{util::Failure::Kind::Database, "o banco falhou"};
        }
        if (!found) {
            return util::Failure{util::Failure::Kind::InvalidInput,
                                 "posto \"" + key + "\" não está no banco"};
        }
        return *zebtest::workedExampleInputs().station;
    }
};

struct BatchRun {
    int exitCode;
    std::string message;
    std::string out;
    int lookups;
    std::size_t heapPeak;
};

// A batch's end as the command reports it: its exit status and, for a failure, its message.
std::pair<int, std::string> ending(const util::Result<cli::BatchRun>& ran) {
    if (!ran) {
        return {cli::exitCodeOf(ran.failure()), ran.failure().message};
    }
    return {ran->rowsFailed ? 3 : 0, ""};
}

BatchRun batch(const std::string& csv, int jobs = 1, std::ostream* into = nullptr) {
    std::istringstream in(csv);
    std::ostringstream out;
    FakeStations stations;
    const auto [exitCode, message] = ending(cli::runBatch(in, into ? *into : out, stations, jobs));
    return {exitCode, message, out.str(), stations.lookups, stations.heapPeak};
}

// The worked example's result row: its published peak and effective rainfall.
std::string workedExampleRow(const std::string& id) {
    return id + ",115.33007379001947,8,68.5485486393786,1,1,\n";
}

// Rows of every kind (tests/data/batch-rows.csv): each is the single run of its inputs or its
// reason, in order, and a bad row stops no other.
TEST(Batch, EachRowIsItsSingleRunAndABadRowStopsNoOther) {
    const BatchRun run = batch(zebtest::dataFile("batch-rows.csv"));
    EXPECT_EQ(run.exitCode, 3);
    EXPECT_EQ(run.out, zebtest::dataFile("batch-rows-out.csv"));
}

// Rows of an IDF equation are the single runs of their inputs to the last bit, whatever their
// duration and return period.
// An IDF equation given in its columns or held by the row's station.
TEST(Batch, IdfRowsAreTheSingleRunsToTheLastBit) {
    const std::pair<int, int> cells[] = {{0, 2}, {3, 100}, {8, 1000}, {12, 25}};
    std::string csv = "id,duration,return-period,area,tc,cn,idf-K,idf-m,idf-t0,idf-n,station\n";
    const std::string golden = zebtest::dataFile("batch-rows-out.csv");
    std::string expected = golden.substr(0, golden.find('\n') + 1);
    for (const auto& [duration, years] : cells) {
        calc::RunRequest request = zebtest::workedExampleRequest();
        request.mode = calc::EquationMode::Idf;
        request.idfEquation = {897.79, 0.1463, 11.83, 0.758};
        request.durationIndex = duration;
        request.returnPeriodYears = years;
        const calc::CalculationRecord record = *calc::runRequest(request);
        const std::string row = "c," + std::to_string(duration) + "," + std::to_string(years);
        csv += row + ",50,6,75,897.79,0.1463,11.83,0.758,\n" + row + ",50,6,75,,,,,Posto IDF\n";
        const std::string result = "c," + report::summaryCsvFields(calc::summarizeRun(record));
        expected += result + ",\n" + result + ",\n";
    }
    EXPECT_EQ(batch(csv, 2).out, expected);
}

TEST(Batch, HeaderAndDatabaseFailuresStopTheBatch) {
    const std::pair<std::string, std::string> headers[] = {
        {"", "o arquivo de bacias está vazio: falta o cabeçalho"},
        {"id,cn,retrun-period\n", "cabeçalho do arquivo de bacias: coluna desconhecida "
                                  "\"retrun-period\""},
        {"cn,id,cn\n", "cabeçalho do arquivo de bacias: a coluna \"cn\" aparece duas vezes"},
        {"ID,cn\n", "cabeçalho do arquivo de bacias: coluna desconhecida \"ID\""},
        {"cn,area\n", "cabeçalho do arquivo de bacias: falta a coluna \"id\""},
    };
    for (const auto& [csv, message] : headers) {
        const BatchRun run = batch(csv);
        EXPECT_EQ(run.exitCode, 2) << csv;
        EXPECT_EQ(run.message, message);
        EXPECT_EQ(run.out, "");
    }
    const BatchRun failed = batch("id,duration,cn,area,tc,return-period,station\n"
                                  "b,1 h,75,50,6,100,Falho\n");
    EXPECT_EQ(failed.exitCode, 4);
    EXPECT_EQ(failed.message, "o banco falhou");
}

// Across blocks and threads the rows keep their order, and a station is looked up once.
TEST(Batch, ManyRowsKeepTheirOrderWithTwoJobs) {
    std::string csv = "id,duration,cn,area,tc,return-period,station\n";
    const std::string golden = zebtest::dataFile("batch-rows-out.csv");
    std::string expected = golden.substr(0, golden.find('\n') + 1); // the heading
    for (int i = 0; i < 9000; ++i) {
        const std::string id = "b" + std::to_string(i);
        csv += id + ",1 h,75,50,6,100," + (i % 1000 == 999 ? "Outro" : "Posto A") + "\n";
        expected += i % 1000 == 999 ? id + ",,,,,,\"linha " + std::to_string(i + 2) +
                                          ": posto \"\"Outro\"\" não está no banco\"\n"
                                    : workedExampleRow(id);
    }
    const BatchRun run = batch(csv, 2);
    EXPECT_EQ(run.exitCode, 3);
    EXPECT_TRUE(run.out == expected); // too long to print
    EXPECT_EQ(run.lookups, 2);
}

// Rows naming 100,000 stations hold no 100,000 answers: the heap grows by a few blocks'
// worth, not by the stations named (30 MB when every answer was kept).
TEST(Batch, MemoryStaysBoundedHoweverManyStationsAreNamed) {
    std::string csv = "id,duration,cn,area,tc,return-period,station\n";
    for (int i = 0; i < 100000; ++i) {
        csv += "b,1 h,75,50,6,100,n" + std::to_string(i) + "\n";
    }
    struct Discard : std::streambuf {
        int overflow(int c) override { return c; }
        std::streamsize xsputn(const char*, std::streamsize n) override { return n; }
    } discard;
    std::ostream nowhere(&discard);
    const std::size_t before = zebtest::heapInUse();
    const BatchRun run = batch(csv, 1, &nowhere);
    EXPECT_EQ(run.exitCode, 3);
    EXPECT_LT(run.heapPeak - before, 8u << 20);
}

// A batch never writes over a file it reads: its basins, the --database it names, or the
// database found by default (here beside the program); a file it cannot write is named, with
// the reason.
TEST(BatchCommand, NeverWritesOverWhatItReadsAndNamesTheFileItCannotWrite) {
    const zebtest::TemporaryFolder folder;
    const std::string database = (folder / "zeb.sqlite").string();
    std::filesystem::copy_file(ZEB_SHIPPED_DATABASE, database);
    const std::string databaseBytes = zebtest::readFile(database);
    const std::string byCode = (folder / "bacias.csv").string();
    zebtest::writeFile(byCode, "id,duration,cn,area,tc,return-period,code\nb,1 h,75,50,6,100,1\n");
    const std::string byConstants = (folder / "constantes.csv").string();
    zebtest::writeFile(byConstants, "id,duration,return-period,area,tc,cn,a,b,c,B5,B15,B30,Bm\n"
                                    "x,1 h,100,50,6,75,0.2,25,20,-0.04,0.08,0.08,0.08\n");
    const auto over = [](const std::string& what, const std::string& file) {
        return "--output é o próprio " + what + " lido, \"" + file +
               "\"; dê outro nome ao arquivo de saída.";
    };
    const std::string missing = util::utf8FromPath(folder.path() / util::pathFromUtf8("não há") / "r.csv");
    const struct {
        std::string basins;
        std::optional<std::string> database;
        std::string output;
        int exitCode;
        std::string message;
    } rows[] = {
        {byConstants, database, database, 2, over("banco de dados", database)},
        {byCode, std::nullopt, database, 2, over("banco de dados", database)},
        {byCode, std::nullopt, byCode, 2, over("arquivo de bacias", byCode)},
        {byCode, std::nullopt, missing, 1,
         "Não foi possível gravar o arquivo " + missing + ": arquivo ou pasta inexistente"},
    };
    for (const auto& row : rows) {
        std::ostringstream out;
        const auto [exitCode, message] = ending(
            cli::runBatchCommand({row.basins, row.database, row.output, 1}, folder.path(), out));
        EXPECT_EQ(exitCode, row.exitCode) << row.output;
        EXPECT_EQ(message, row.message);
    }
    EXPECT_EQ(zebtest::readFile(database), databaseBytes);
    EXPECT_EQ(zebtest::readFile(byCode).substr(0, 3), "id,");
}

} // namespace
