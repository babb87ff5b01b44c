// Special files and links where a database is looked for: each refused with one message that
// names it, and none waited on.

#include "refdata/database_builder.h"
#include "refdata/open_database.h"
#include "tests/refdata/test_support.h"

#include <gtest/gtest.h>

#include <functional>

#include <sys/stat.h>

namespace refdata::test {
namespace {

TEST(DatabaseFiles, APipeIsRefusedByName) {
    TemporaryFolder folder;
    const auto fifo = folder / "fila.mdb";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    // Opening a pipe would wait for a writer for ever.
    const std::string special = "não é um arquivo comum, mas um pipe, um dispositivo ou um socket";
    EXPECT_EQ(messageOf(openReferenceDatabase(fifo)), problem(fifo, special));
    EXPECT_EQ(messageOf(convertAccessToSqlite(folder / "x.sqlite", fifo)), problem(fifo, special));
    EXPECT_EQ(messageOf(buildDatabaseFromCsv(folder / "x.sqlite", fifo, fifo)),
              "Arquivo " + fifo.string() + ": " + special + ".");
}

// A folder or a broken link at the user's place is chosen and reported, not passed over.
TEST(DatabaseFiles, AnUnreadableUserPlaceIsReported) {
    TemporaryFolder folder;
    const auto user = folder / "user.sqlite";
    const std::pair<std::function<void()>, std::string> unreadable[] = {
        {[&] { std::filesystem::create_directory(user); }, "é uma pasta, não um arquivo"},
        {[&] { std::filesystem::create_symlink(folder / "nada", user); },
         "é um link simbólico para " + (folder / "nada").string() + ", que não existe"},
        {[&] { std::filesystem::create_symlink(user, user); },
         "é um link simbólico em ciclo, que nunca chega a um arquivo"},
    };
    for (const auto& [make, text] : unreadable) {
        make();
        EXPECT_EQ(messageOf(openProgramDatabase(folder / "bin", user)), problem(user, text));
        std::filesystem::remove(user);
    }
}

// A file the Access library crashes on here (it reads past the catalog's usage map; the Windows
// build reads past it without a fault, and finds no table).
TEST(DatabaseFiles, AFileThatCrashesTheAccessLibraryIsReportedAsDamaged) {
    TemporaryFolder folder;
    const auto crashes = fixture("crashes-access-library.mdb");
    EXPECT_EQ(messageOf(convertAccessToSqlite(folder / "x.sqlite", crashes)),
              problem(crashes, "o arquivo está corrompido ou ilegível (a leitura do arquivo "
                               "terminou de forma anormal)"));
}

TEST(DatabaseFiles, AQuestionMarkInTheNameIsNoQuery) {
    TemporaryFolder folder;
    makeSqliteDatabase(folder / "a?b.sqlite", "CREATE TABLE zeb (codigo, nome, estado);");
    EXPECT_TRUE(
        valueOf(valueOf(openReferenceDatabase(folder / "a?b.sqlite"))->allStations()).empty());
}

} // namespace
} // namespace refdata::test
