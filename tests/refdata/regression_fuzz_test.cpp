// Damaged Access files found by the mutation survey and the fuzz target, and the child process
// that reads Access files so a crash or hang in the Access library stays there.
#include "refdata/access_reference_database.h"
#include "refdata/child_process_reader.h"
#include "refdata/csv_import.h"
#include "refdata/database_builder.h"
#include "refdata/isolated_access_database.h"
#include "refdata/open_database.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include <unistd.h>

namespace refdata {
namespace {

using namespace std::chrono_literals;
using test::errorOf;
using test::fixture;

std::string corrupt(const std::filesystem::path& file, const std::string& detail) {
    return "Banco de dados " + file.string() + ": o arquivo está corrompido ou ilegível (" +
           detail + ").";
}

// A copy of a fixture with a few dozen bytes overwritten (from the survey) on which the Access
// library crashes while reading the system catalog: the program reports the file instead.
TEST(FuzzRegression, AccessFileThatCrashesTheLibraryIsRefusedByName) {
    const auto file = fixture("crashes-access-library.mdb");
    EXPECT_EQ(errorOf([&] { openReferenceDatabase(file); }),
              corrupt(file, "a leitura do arquivo terminou de forma anormal"));
    const test::TemporaryFolder folder;
    EXPECT_EQ(errorOf([&] { convertAccessToSqlite(folder / "x.sqlite", file); }),
              corrupt(file, "a leitura do arquivo terminou de forma anormal"));
    // The program goes on: a sound file opens afterwards.
    EXPECT_FALSE(openReferenceDatabase(fixture("edge-cases.mdb"))->allStations().empty());
}

// A copy of the .accdb fixture with a few bytes changed (from the in-process Access target) on
// which the Access library allocates without end while reading the catalog's properties: 23 GiB
// within a minute. The child reading it is stopped at its memory limit (2 GiB in the program;
// less here, to keep the test light).
TEST(FuzzRegression, AccessFileThatExhaustsMemoryIsRefusedByName) {
    const auto file = fixture("runaway-allocation.accdb");
    EXPECT_EQ(errorOf([&] {
                  IsolatedAccessDatabase(file, IsolatedAccessDatabase::kDefaultTimeout,
                                         std::size_t{256} << 20);
              }),
              corrupt(file, "a leitura passou de 256 MiB de memória"));
}

// A header field holding a NUL and a line break (found by the CSV target): the message quoted it
// raw, so it ended at the NUL where it was shown. Control characters are now shown as codes,
// and a long value is cut.
TEST(FuzzRegression, MessagesQuoteFileTextOnOneLine) {
    const test::TemporaryFolder folder;
    const auto file = folder / "postos.csv";
    test::writeFile(file, std::string("\r\ncodigo,\"0\0\r\nx\"\r\n", 18));
    EXPECT_EQ(errorOf([&] { readStationsCsv(file); }),
              "Arquivo " + file.string() +
                  ", linha 2: a coluna 2 do cabeçalho deve ser \"nome\", não "
                  "\"0\\x00\\x0d\\x0ax\".");

    test::writeFile(file, "codigo,nome,estado,a,b,c,B5,B15,B30,Bm\n1,P,SP," +
                              std::string(100, '9') + "x,2,3,4,5,6,7\n");
    const std::string message = errorOf([&] { readStationsCsv(file); });
    EXPECT_NE(message.find("\"" + std::string(60, '9') + "…\""), std::string::npos) << message;
}

// Whatever the in-process reader answers or refuses, the isolated one answers or refuses alike.
TEST(FuzzRegression, IsolatedReaderAnswersAsTheInProcessOne) {
    for (const char* name :
         {"edge-cases.mdb", "empty-tables.mdb", "missing-bm-column.mdb", "null-values.mdb",
          "wrong-table-names.mdb", "shuffled-columns.accdb"}) {
        SCOPED_TRACE(name);
        AccessReferenceDatabase direct(fixture(name));
        IsolatedAccessDatabase isolated(fixture(name));
        const auto same = [](auto&& a, auto&& b) {
            std::string errorA, errorB;
            decltype(a()) valueA{}, valueB{};
            try {
                valueA = a();
            } catch (const DatabaseError& error) {
                errorA = error.what();
            }
            try {
                valueB = b();
            } catch (const DatabaseError& error) {
                errorB = error.what();
            }
            EXPECT_EQ(errorA, errorB);
            return valueA == valueB;
        };
        EXPECT_TRUE(same([&] { return direct.allLandClasses(); },
                         [&] { return isolated.allLandClasses(); }));
        EXPECT_TRUE(same([&] { return direct.landClassesOfZone("Urbana"); },
                         [&] { return isolated.landClassesOfZone("Urbana"); }));
        EXPECT_TRUE(same([&] { return direct.findCurveNumber("Mata"); },
                         [&] { return isolated.findCurveNumber("Mata"); }));
        const auto codes = [](const std::vector<StationListItem>& items) {
            std::vector<std::string> texts;
            for (const auto& item : items) {
                texts.push_back(item.codigo + "|" + item.nome + "|" + item.estado);
            }
            return texts;
        };
        EXPECT_TRUE(same([&] { return codes(direct.allStations()); },
                         [&] { return codes(isolated.allStations()); }));
        std::string firstName = "Posto";
        try {
            if (const auto all = direct.allStations(); !all.empty()) {
                firstName = all.front().nome;
            }
        } catch (const DatabaseError&) {
        }
        const auto station = [](const std::optional<StationRecord>& found) {
            if (!found) {
                return std::string("none");
            }
            std::string text = found->codigo + "|" + found->nome + "|" + found->estado;
            const auto& k = found->coefficients;
            for (const auto* value : {&k.a, &k.b, &k.c, &k.B5, &k.B15, &k.B30, &k.Bm}) {
                text += "|" + (*value ? std::to_string(**value) : std::string("null"));
            }
            return text;
        };
        EXPECT_TRUE(same([&] { return station(direct.findStationByName(firstName)); },
                         [&] { return station(isolated.findStationByName(firstName)); }));
        EXPECT_TRUE(same([&] { return direct.readAllTables().stations.size(); },
                         [&] { return isolated.readAllTables().stations.size(); }));
    }
}

class ChildReader : public ::testing::Test {
protected:
    const std::filesystem::path m_file = "/dados/zeb.mdb";

    // A server that answers "n" with a count kept in the child, crashes on "crash", hangs on
    // "hang", allocates without end on "grow" and refuses "refuse".
    static ChildProcessReader::Server server() {
        return [count = 0](std::string_view request) mutable -> std::string {
            if (request == "crash") {
                std::signal(SIGSEGV, SIG_DFL);
                std::raise(SIGSEGV);
            }
            if (request == "hang") {
                std::this_thread::sleep_for(1h);
            }
            if (request == "grow") {
                std::vector<std::unique_ptr<char[]>> blocks;
                for (;;) {
                    blocks.push_back(std::make_unique<char[]>(std::size_t{8} << 20));
                    std::memset(blocks.back().get(), 1, std::size_t{8} << 20);
                }
            }
            if (request == "refuse") {
                throw DatabaseError("Banco de dados /dados/zeb.mdb: recusado.");
            }
            return std::to_string(++count);
        };
    }
};

TEST_F(ChildReader, AnswersFromOneChildAndPassesItsRefusalsOn) {
    ChildProcessReader reader(
        m_file, [] { return server(); }, 5s);
    EXPECT_EQ(reader.request("n"), "1");
    EXPECT_EQ(errorOf([&] { reader.request("refuse"); }),
              "Banco de dados /dados/zeb.mdb: recusado.");
    EXPECT_EQ(reader.request("n"), "2"); // the same child, still serving
}

TEST_F(ChildReader, ACrashIsReportedAndTheNextRequestStartsAgain) {
    ChildProcessReader reader(
        m_file, [] { return server(); }, 5s);
    EXPECT_EQ(reader.request("n"), "1");
    EXPECT_EQ(errorOf([&] { reader.request("crash"); }),
              corrupt(m_file, "a leitura do arquivo terminou de forma anormal"));
    EXPECT_EQ(reader.request("n"), "1"); // a new child opened the file again
}

TEST_F(ChildReader, AHangEndsAtTheTimeout) {
    ChildProcessReader reader(
        m_file, [] { return server(); }, 300ms);
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(errorOf([&] { reader.request("hang"); }),
              corrupt(m_file, "a leitura não terminou em 1 s"));
    EXPECT_LT(std::chrono::steady_clock::now() - start, 5s);
    EXPECT_EQ(reader.request("n"), "1");
}

// A damaged file made the Access library allocate without end (23 GiB in a minute, found by
// the in-process Access target): the child is stopped at its memory limit.
TEST_F(ChildReader, ARunawayAllocationIsStoppedAtTheMemoryLimit) {
    ChildProcessReader reader(
        m_file, [] { return server(); }, 30s, std::size_t{256} << 20);
    EXPECT_EQ(errorOf([&] { reader.request("grow"); }),
              corrupt(m_file, "a leitura passou de 256 MiB de memória"));
    EXPECT_EQ(reader.request("n"), "1");
}

TEST_F(ChildReader, FailuresWhileOpeningAreThrownByTheConstructor) {
    EXPECT_EQ(errorOf([&] {
                  ChildProcessReader reader(
                      m_file,
                      []() -> ChildProcessReader::Server {
                          throw DatabaseError("Banco de dados /dados/zeb.mdb: não abre.");
                      },
                      5s);
              }),
              "Banco de dados /dados/zeb.mdb: não abre.");
    EXPECT_EQ(errorOf([&] {
                  ChildProcessReader reader(
                      m_file, []() -> ChildProcessReader::Server { std::abort(); }, 5s);
              }),
              corrupt(m_file, "a leitura do arquivo terminou de forma anormal"));
}

} // namespace
} // namespace refdata
