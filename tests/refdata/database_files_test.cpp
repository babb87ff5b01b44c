// Finding, recognising and refusing database files: every failure gives one message that
// names the file, a damaged file is reported as damaged, and nothing crashes or hangs.

#include "refdata/access/child_process_reader.h"
#include "refdata/access/isolated_access_source.h"
#include "refdata/access/wire_format.h"
#include "refdata/database_builder.h"
#include "refdata/database_message.h"
#include "refdata/open_database.h"
#include "refdata/sqlite/interrupt_timer.h"
#include "refdata/sqlite/sqlite_source.h"
#include "refdata/table_database.h"
#include "tests/refdata/test_reader.h"
#include "tests/refdata/test_support.h"
#include "util/path_text.h"

#include <gtest/gtest.h>

#include <thread>

namespace refdata::test {
namespace {

using namespace std::chrono_literals;
using namespace std::string_literals;

std::string corrupt(const std::filesystem::path& file, const std::string& detail) {
    return problem(file, "o arquivo está corrompido ou ilegível (" + detail + ")");
}

// The first error of opening the file and listing both tables.
std::string firstError(const std::filesystem::path& file) {
    auto opened = openReferenceDatabase(file);
    if (!opened) {
        return opened.failure().message;
    }
    const auto& db = *opened;
    if (auto stations = db->allStations(); !stations) {
        return messageOf(stations);
    }
    return messageOf(db->allLandClasses());
}

TEST(DatabaseFiles, FormatIsRecognisedByContentAndAnythingElseIsRefusedByName) {
    TemporaryFolder folder;
    // Named with accents, which the Access library takes in the system's code page.
    const auto converted = folder.path() / util::pathFromUtf8("Estação Ó.mdb");
    const auto copied = folder.path() / util::pathFromUtf8("São João.sqlite");
    ASSERT_FALSE(convertAccessToSqlite(converted, fixture("edge-cases.mdb")));
    std::filesystem::copy_file(fixture("edge-cases.mdb"), copied);
    for (const auto& file : {converted, copied}) {
        EXPECT_EQ(valueOf(valueOf(openReferenceDatabase(file))->allStations()).size(), 7u);
    }
    writeFile(folder / "texto.mdb", "codigo,nome\n1,Posto\n");
    writeFile(folder / "vazio.mdb", "");
    // Exactly the header that tells SQLite: read as SQLite, which finds no database after it.
    writeFile(folder / "curto.mdb", std::string("SQLite format 3\0\0\0\0\0", 20));
    std::filesystem::create_directory(folder / "pasta.mdb");
    const std::pair<const char*, std::string> refused[] = {
        {"nada.mdb", "o arquivo não existe"},
        {"texto.mdb", "o arquivo não é um banco de dados SQLite nem Access"},
        {"vazio.mdb", "o arquivo está vazio"},
        {"curto.mdb",
         "o arquivo está corrompido ou ilegível (o cabeçalho não é o de um banco SQLite)"},
        {"pasta.mdb", "é uma pasta, não um arquivo"},
    };
    for (const auto& [name, text] : refused) {
        EXPECT_EQ(messageOf(openReferenceDatabase(folder / name)), problem(folder / name, text));
    }
}

TEST(DatabaseFiles, DamagedAccessFilesAreReportedAsDamaged) {
    // Copies of edge-cases.mdb (4 KiB pages) cut, or with bytes overwritten, where the reader
    // must notice before the Access library reads what is not there.
    const struct {
        std::size_t keptBytes, offset, length;
        char byte;
        const char* detail;
    } damages[] = {
        {100, 0, 0, 0, "o tamanho de 100 bytes não é múltiplo da página de 4096 bytes"},
        {2 * 4096, 0, 0, 0, "o arquivo tem só 2 página(s)"},
        {SIZE_MAX, 0x14, 1, '\x7f', "versão de formato Access desconhecida: 127"},
        {SIZE_MAX, 2 * 4096, 4096, 0, "o catálogo de tabelas não pôde ser lido"},
        // The catalog's last page is page 14, the first one past the end of this copy.
        {14 * 4096, 0, 0, 0,
         "a tabela \"MSysObjects\" aponta para a página 14, além do fim do arquivo"},
        // The definition of zeb is on page 24; then its data pages are lost, though it still
        // declares its 7 rows.
        {24 * 4096, 0, 0, 0, "a definição da tabela \"zeb\" está além do fim do arquivo"},
        {25 * 4096, 0, 0, 0, "a tabela \"zeb\" declara 7 linhas, mas só 0 puderam ser lidas"},
    };
    TemporaryFolder folder;
    const auto file = folder / "damaged.mdb";
    for (const auto& damage : damages) {
        auto bytes = readFile(fixture("edge-cases.mdb"));
        bytes.resize(std::min(bytes.size(), damage.keptBytes));
        bytes.replace(damage.offset, damage.length, damage.length, damage.byte);
        writeFile(file, bytes);
        EXPECT_EQ(firstError(file), corrupt(file, damage.detail));
    }
    // A file on which the Access library allocates without end (23 GiB within a minute), where
    // the reading child is stopped at its memory limit (2 GiB in the program, less here).
    const auto runaway = fixture("runaway-allocation.accdb");
    EXPECT_EQ(messageOf(failureOf([&] { IsolatedAccessSource(runaway, {.memory = 256 << 20}); })),
              corrupt(runaway, "a leitura passou de 256 MiB de memória"));
}

TEST(DatabaseFiles, DamagedSqliteFilesAreReportedAsDamaged) {
    TemporaryFolder folder;
    ASSERT_FALSE(convertAccessToSqlite(folder / "good.sqlite", fixture("edge-cases.mdb")));
    const auto original = readFile(folder / "good.sqlite");
    auto overwritten = original;
    overwritten.replace(4096, 2048, 2048, '\xff');
    // Page 5 holds the index of cn: every list still reads, and a lookup may miss rows.
    auto index = original;
    index.replace(4 * 4096, 4, 4, '\0');
    const auto file = folder / "damaged.sqlite";
    const std::string damaged = "a estrutura do banco SQLite está danificada";
    const std::string checked = "a verificação de integridade do SQLite encontrou danos";
    for (const auto& [bytes, detail] :
         {std::pair{original.substr(0, original.size() / 2), damaged},
          std::pair{overwritten, checked}, std::pair{index, checked}}) {
        writeFile(file, bytes);
        EXPECT_EQ(firstError(file), corrupt(file, detail));
    }
    // Changes still in a -wal file beside it would not be read: such a file is refused.
    const auto good = folder / "good.sqlite";
    writeFile(folder / "good.sqlite-wal", "x");
    EXPECT_EQ(messageOf(openReferenceDatabase(good)),
              problem(good, "as últimas alterações do banco estão em " + good.string() +
                                "-wal, que o programa não lê; abra e feche o banco uma vez no "
                                "programa que o gravou"));
}

// Read with small limits: a view, a computed column, a value or a read too large, and too
// many rows for the time end the reading, with one message naming the file. So does a table
// that is no plain table, and a text that is no UTF-8, even where only its zone is compared.
TEST(DatabaseFiles, HostileSqliteFilesAreRefusedWithinTheLimits) {
    const std::string manyRows =
        "CREATE TABLE zeb (codigo, nome, estado); WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL "
        "SELECT i + 1 FROM n LIMIT 20000) INSERT INTO zeb SELECT i, i, i FROM n;";
    const std::string cut = "o arquivo está corrompido ou ilegível (";
    const struct {
        std::string sql;
        ReadLimits limits;
        std::string problem;
    } hostile[] = {
        {"CREATE VIEW zeb AS WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n) "
         "SELECT i AS codigo, i AS nome, i AS estado FROM n;",
         {},
         "\"zeb\" é uma view ou uma tabela virtual; só uma tabela comum é lida"},
        {"CREATE TABLE zeb (codigo, nome, estado AS (upper(nome)));"
         "INSERT INTO zeb VALUES (1, 'P');",
         {},
         "a tabela \"zeb\" tem colunas calculadas ou ocultas; só valores gravados são lidos"},
        {"CREATE TABLE zeb (codigo PRIMARY KEY, nome, estado) WITHOUT ROWID;",
         {},
         "a tabela \"zeb\" não tem rowid (WITHOUT ROWID); só uma tabela comum é lida"},
        {"CREATE TABLE zeb (codigo, nome, estado);"
         "INSERT INTO zeb VALUES (1, 'P', printf('%.*c', 2000, 'x'));",
         {.valueBytes = 1024},
         cut + "um valor passa de 1 KiB)"},
        {manyRows, {.readBytes = 1 << 20}, cut + "a leitura passou de 1 MiB de memória)"},
        {manyRows, {.time = 0ms}, cut + "a leitura não terminou em 0 s)"},
        {"CREATE TABLE zeb (codigo, nome, estado); CREATE TABLE cn (id, terreno, zona, cn);"
         "INSERT INTO cn VALUES (1, 'Mata', 'Rural', 70), (2, 'Campo', "
         "CAST(X'5275FF616C' AS TEXT), 80);",
         {},
         "a linha 2 da tabela \"cn\" tem na coluna \"zona\" um texto que não está em UTF-8"},
    };
    TemporaryFolder folder;
    for (const auto& [sql, limits, text] : hostile) {
        const auto file = folder / "hostil.sqlite";
        std::filesystem::remove(file);
        makeSqliteDatabase(file, sql.c_str());
        auto source = answerOf([&] { return std::make_unique<SqliteSource>(file, limits); });
        if (!source) {
            EXPECT_EQ(source.failure().message, problem(file, text));
            continue;
        }
        TableDatabase db(std::move(*source));
        auto stations = db.allStations();
        EXPECT_EQ(!stations ? messageOf(stations) : messageOf(db.landClassesOfZone("Rural")),
                  problem(file, text));
    }
}

// The time limit holds within one step of a statement (this count is a single step of about
// five seconds).
TEST(DatabaseFiles, TheTimerInterruptsAStatementAtItsDeadline) {
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(":memory:", &db), SQLITE_OK);
    const SqliteConnection connection(db);
    sqlite3_stmt* statement = nullptr;
    ASSERT_EQ(sqlite3_prepare_v2(db,
                                 "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n "
                                 "LIMIT 10000000) SELECT count(*) FROM n",
                                 -1, &statement, nullptr),
              SQLITE_OK);
    const SqliteStatement count(statement);
    InterruptTimer timer(db);
    timer.arm(std::chrono::steady_clock::now() + 20ms);
    EXPECT_EQ(sqlite3_step(statement), SQLITE_INTERRUPT);
}

TEST(DatabaseFiles, TheProgramTakesTheFirstOfFivePlaces) {
    TemporaryFolder folder;
    const auto program = folder / "bin";
    const auto data = installedDataDir(program);
    std::filesystem::create_directories(program);
    std::filesystem::create_directories(data);
    const auto user = folder / "user.sqlite";
    const std::filesystem::path places[] = {program / "zeb.mdb", program / "zeb.sqlite", user,
                                            data / "zeb.mdb", data / "zeb.sqlite"};
    EXPECT_EQ(messageOf(openProgramDatabase(program, user)),
              "Banco de dados não encontrado. Procurado em: " + places[0].string() + ", " +
                  places[1].string() + ", " + places[2].string() + ", " + places[3].string() +
                  ", " + places[4].string() + ".");
    // Each file added comes before those already there, so each is the one opened: one that
    // cannot be read is reported, not passed over.
    for (int i = 4; i >= 0; --i) {
        writeFile(places[i], "x");
        EXPECT_EQ(messageOf(openProgramDatabase(program, user)),
                  problem(places[i], "o arquivo não é um banco de dados SQLite nem Access"));
    }
}

TEST(ChildReader, RowsCrossFromTheChildAsTheyWereStored) {
    // Every kind of value, and one that cannot be read, which fails only where it is read.
    struct Stored final : RowValues {
        std::size_t columnCount() const override { return 6; }
        std::size_t position() const override { return 42; }
        StoredValue value(std::size_t column) const override {
            if (column == 5) {
                throw DatabaseFailure("Banco de dados x: a linha 42 está danificada.");
            }
            return std::array<StoredValue, 5>{std::monostate{}, "S\0o"s, std::int64_t{-7}, 0.2f,
                                              0.1}[column];
        }
    } stored;
    WireWriter out;
    out.row(stored);
    out.row(stored);
    WireReader in(out.bytes());
    for (WireRow row; !in.atEnd();) {
        row.readFrom(in);
        EXPECT_EQ(row.position(), 42u);
        for (std::size_t column = 0; column < 5; ++column) {
            EXPECT_EQ(row.value(column), stored.value(column)) << column;
        }
        EXPECT_EQ(messageOf(failureOf([&] { row.value(5); })),
                  "Banco de dados x: a linha 42 está danificada.");
    }
    in.finish();
    EXPECT_THROW(WireReader("x").finish(), WireError) << "bytes after the message";
}

TEST(ChildReader, FailuresOfTheChildAreReportedAndTheNextRequestStartsAgain) {
    const std::filesystem::path file = "/dados/zeb.mdb";
    ChildProcessReader quick(file, kTestReading, {.time = 300ms});
    ChildProcessReader patient(file, kTestReading, {.memory = 256 << 20});
    const auto failure = [](ChildProcessReader& reader, const char* request) {
        return messageOf(failureOf([&] { reader.request(request); }));
    };
    EXPECT_EQ(quick.request("n"), "1");
    EXPECT_EQ(failure(quick, "refuse"), "Banco de dados /dados/zeb.mdb: recusado.");
    EXPECT_EQ(quick.request("n"), "2") << "the same child, still serving";
    EXPECT_EQ(failure(quick, "crash"),
              corrupt(file, "a leitura do arquivo terminou de forma anormal"));
    EXPECT_EQ(quick.request("n"), "1") << "a new child opened the file again";
    EXPECT_EQ(failure(quick, "hang"), corrupt(file, "a leitura não terminou em 1 s"));
    EXPECT_EQ(failure(patient, "grow"), corrupt(file, "a leitura passou de 256 MiB de memória"));
}

} // namespace
} // namespace refdata::test
