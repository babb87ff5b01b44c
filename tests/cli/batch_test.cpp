#include "cli/batch.h"

#include "tests/test_files.h"
#include "tests/worked_example.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

// One station, "Posto A" with code 7, holding the worked example's constants; "Falho" breaks
// the database.
class FakeStations : public cli::BatchStations {
public:
    Answer byName(const std::string& name) override { return answer(name == "Posto A", name); }
    Answer byCode(const std::string& code) override { return answer(code == "7", code); }
    int lookups = 0;

private:
    Answer answer(bool found, const std::string& key) {
        ++lookups;
        if (key == "Falho") {
            return {std::nullopt, "", "o banco falhou"};
        }
        if (!found) {
            return {std::nullopt, "posto \"" + key + "\" não está no banco", ""};
        }
        return {zebtest::workedExampleInputs().station, "", ""};
    }
};

struct BatchRun {
    int exitCode;
    std::string message;
    std::string out;
    int lookups;
};

BatchRun batch(const std::string& csv, int jobs = 1) {
    std::istringstream in(csv);
    std::ostringstream out;
    FakeStations stations;
    const cli::BatchOutcome outcome = cli::runBatch(in, out, stations, jobs);
    return {outcome.exitCode, outcome.message, out.str(), stations.lookups};
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

} // namespace
