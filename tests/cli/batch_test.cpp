#include "cli/batch.h"

#include "calc/study.h"
#include "report/study_table.h"
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
};

BatchRun batch(const std::string& csv, int jobs = 1) {
    std::istringstream in(csv);
    std::ostringstream out;
    FakeStations stations;
    const cli::BatchOutcome outcome = cli::runBatch(in, out, stations, jobs);
    return {outcome.exitCode, outcome.message, out.str()};
}

// The worked example's result row as a single run gives it.
std::string workedExampleRow(const std::string& id) {
    return id + "," + report::summaryCsvFields(calc::summarizeRun(zebtest::workedExampleRecord())) +
           ",\n";
}

std::string failedRow(const std::string& id, const std::string& message) {
    return report::csvField(id) + ",,,,,," + report::csvField(message) + "\n";
}

constexpr const char* kHeader = "id,peakFlowM3s,peakTimeH,effectiveRainfallMm,floodNotReceded,"
                                "unitHydrographCut,error\n";

TEST(Batch, EachRowIsItsSingleRunAndABadRowStopsNoOther) {
    const BatchRun run = batch(
        "cn,area,tc,return-period,duration,id,station,code,a,b,c,B5,B15,B30,Bm,K,length,drop\n"
        "75,50,6,100,1 h,por nome,Posto A,,,,,,,,,,,\n"
        "75,50,6,100,3,por código,,7,,,,,,,,,,\n"
        "75,50,6,100,1 h,\"sete, constantes\",,,0.2,25,20,-0.04,0.08,0.08,0.08,,,\n"
        "75,50,6,100,1 h,sem posto,Outro,,,,,,,,,,,\n"
        "75,50,6,100,2 h,sem chuva,,,,,,,,,,,,\n"
        "75,50,6,100,2 h,duas fontes,Posto A,7,,,,,,,,,,\n"
        "75,5x0,6,100,1 h,número,Posto A,,,,,,,,,,,\n"
        "75,50,6,100,1 h,tc e talvegue,Posto A,,,,,,,,,,8,100\n"
        "75,50,6,100,7 h,duração,Posto A,,,,,,,,,,,\n"
        "75,50,6,100,1 h,curta\n"
        "0,50,6,100,1 h,cn zero,Posto A,,,,,,,,,,,\n"
        "75,50,\"6\"x,100,1 h,aspas,Posto A,,,,,,,,,,,\n"
        "75,50,,,1 h,própria,,,0.3,20,10,,,,,1.4,8,120\n");
    EXPECT_EQ(run.exitCode, 3);
    const std::string rows = run.out.substr(std::string(kHeader).size());
    std::istringstream lines(rows);
    std::vector<std::string> row;
    for (std::string line; std::getline(lines, line);) {
        row.push_back(line + "\n");
    }
    ASSERT_EQ(row.size(), 13u);
    EXPECT_EQ(run.out.substr(0, std::string(kHeader).size()), kHeader);
    EXPECT_EQ(row[0], workedExampleRow("por nome"));
    EXPECT_EQ(row[1], workedExampleRow("por código"));
    EXPECT_EQ(row[2], workedExampleRow("\"sete, constantes\""));
    EXPECT_EQ(row[3], failedRow("sem posto", "linha 5: posto \"Outro\" não está no banco"));
    EXPECT_EQ(row[4], failedRow("sem chuva", "linha 6: falta a chuva: station, code, "
                                             "a,b,c,B5,B15,B30,Bm ou K,a,b,c"));
    EXPECT_EQ(row[5], failedRow("duas fontes", "linha 7: a chuva vem de uma fonte só: station, "
                                               "code, a,b,c,B5,B15,B30,Bm ou K,a,b,c"));
    EXPECT_EQ(row[6], failedRow("número", "linha 8: area: número mal escrito \"5x0\""));
    EXPECT_EQ(row[7], failedRow("tc e talvegue", "linha 9: dê tc ou length e drop, não os dois"));
    EXPECT_EQ(row[8], failedRow("duração", "linha 10: duration: duração desconhecida \"7 h\""));
    EXPECT_EQ(row[9], failedRow("curta", "linha 11: a linha tem 6 campos e o cabeçalho 18"));
    EXPECT_EQ(row[10].find("cn zero,,,,,,linha 12: Não é possível calcular"), 0u) << row[10];
    EXPECT_EQ(row[11], failedRow("", "linha 13: texto depois das aspas que fecham um campo"));
    // The own equation computes from length and drop, without a return period.
    EXPECT_EQ(row[12].find("própria,"), 0u);
    EXPECT_EQ(row[12].substr(row[12].size() - 2), ",\n");
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
    std::string expected = kHeader;
    for (int i = 0; i < 9000; ++i) {
        const std::string id = "b" + std::to_string(i);
        csv += id + ",1 h,75,50,6,100," + (i % 1000 == 999 ? "Outro" : "Posto A") + "\n";
        expected += i % 1000 == 999 ? failedRow(id, "linha " + std::to_string(i + 2) +
                                                        ": posto \"Outro\" não está no banco")
                                    : workedExampleRow(id);
    }
    std::istringstream in(csv);
    std::ostringstream out;
    FakeStations stations;
    EXPECT_EQ(cli::runBatch(in, out, stations, 2).exitCode, 3);
    EXPECT_TRUE(out.str() == expected); // too long to print
    EXPECT_EQ(stations.lookups, 2);
}

} // namespace
