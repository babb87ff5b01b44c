// Finding, recognising and refusing database files: every failure gives one message that
// names the file, and nothing crashes.

#include "refdata/database_builder.h"
#include "refdata/open_database.h"
#include "refdata/sqlite_writer.h"
#include "tests/refdata/test_support.h"

#include <gtest/gtest.h>

namespace refdata::test {
namespace {

std::string copyWithBytes(const TemporaryFolder& folder, std::string_view source,
                          std::string_view name, std::size_t length) {
    auto bytes = readFile(fixture(source));
    bytes.resize(std::min(bytes.size(), length));
    writeFile(folder / name, bytes);
    return (folder / name).string();
}

// Every query, so a fault anywhere in the file shows.
void readEverything(const std::filesystem::path& file) {
    const auto db = openReferenceDatabase(file);
    db->allStations();
    db->allLandClasses();
    db->landClassesOfZone("Rural");
    db->findStationByName("São José dos Campos");
    db->findCurveNumber("Mata d'água - solo D");
}

TEST(DatabaseFiles, FormatIsRecognisedByContentNotByName) {
    TemporaryFolder folder;
    writeSqliteDatabase(folder / "zeb.mdb", tablesFromCsvTwins("edge-stations.csv", "edge-cn.csv"));
    std::filesystem::copy_file(fixture("edge-cases.mdb"), folder / "zeb.sqlite");
    for (const auto& name : {"zeb.mdb", "zeb.sqlite"}) {
        const auto db = openReferenceDatabase(folder / name);
        EXPECT_EQ(db->findStationByName("Olho d'Água")->codigo, "106") << name;
        EXPECT_EQ(db->path(), folder / name);
    }
}

TEST(DatabaseFiles, FilesThatAreNoDatabaseAreRefusedByName) {
    TemporaryFolder folder;
    writeFile(folder / "texto.mdb", "codigo,nome\n1,Posto\n");
    writeFile(folder / "vazio.mdb", "");
    std::filesystem::create_directory(folder / "pasta.mdb");
    const struct {
        std::string name;
        std::string problem;
    } cases[] = {
        {"nada.mdb", "o arquivo não existe"},
        {"texto.mdb", "o arquivo não é um banco de dados SQLite nem Access"},
        {"vazio.mdb", "o arquivo está vazio"},
        {"pasta.mdb", "é uma pasta, não um arquivo"},
    };
    for (const auto& c : cases) {
        const auto file = folder / c.name;
        EXPECT_EQ(errorOf([&] { openReferenceDatabase(file); }),
                  "Banco de dados " + file.string() + ": " + c.problem + ".");
    }
}

TEST(DatabaseFiles, TruncatedAccessFilesAreRefused) {
    TemporaryFolder folder;
    const auto full = readFile(fixture("edge-cases.mdb")).size();
    // Inside the header, a length that is no whole number of pages, and cuts at page
    // boundaries that lose the catalog, a table's definition or its data pages.
    for (const std::size_t length :
         {std::size_t{100}, std::size_t{5000}, full - 1, std::size_t{2 * 4096},
          std::size_t{12 * 4096}, std::size_t{20 * 4096}, std::size_t{25 * 4096},
          std::size_t{27 * 4096}}) {
        const auto file = copyWithBytes(folder, "edge-cases.mdb", "cut.mdb", length);
        const auto message = errorOf([&] { readEverything(file); });
        EXPECT_TRUE(message.starts_with("Banco de dados " + file + ": ")) << length << message;
        EXPECT_NE(message.find("corrompido"), std::string::npos) << length << ": " << message;
    }
}

TEST(DatabaseFiles, OverwrittenAccessPagesAreRefused) {
    TemporaryFolder folder;
    const auto original = readFile(fixture("edge-cases.mdb"));
    const struct {
        std::size_t offset;
        std::size_t length;
        char byte;
    } damages[] = {
        {0x14, 1, '\x7f'},      // an unknown format version
        {2 * 4096, 4096, '\0'}, // the catalog's definition wiped
    };
    for (const auto& damage : damages) {
        auto bytes = original;
        bytes.replace(damage.offset, damage.length, damage.length, damage.byte);
        const auto file = folder / "damaged.mdb";
        writeFile(file, bytes);
        const auto message = errorOf([&] { readEverything(file); });
        EXPECT_TRUE(message.starts_with("Banco de dados " + file.string() + ": "))
            << damage.offset << message;
    }
}

TEST(DatabaseFiles, DamagedSqliteFilesAreRefused) {
    TemporaryFolder folder;
    const auto good = folder / "good.sqlite";
    writeSqliteDatabase(good, tablesFromCsvTwins("edge-stations.csv", "edge-cn.csv"));
    const auto original = readFile(good);

    auto truncated = original.substr(0, original.size() / 2);
    auto overwritten = original;
    overwritten.replace(4096, 2048, 2048, '\xff');
    for (const auto& bytes : {truncated, overwritten, original.substr(0, 50)}) {
        const auto file = folder / "damaged.sqlite";
        writeFile(file, bytes);
        const auto message = errorOf([&] { readEverything(file); });
        EXPECT_TRUE(message.starts_with("Banco de dados " + file.string() + ": ")) << message;
    }
}

TEST(DatabaseFiles, LocateTakesTheFirstOfFourPlaces) {
    TemporaryFolder folder;
    const auto program = folder / "bin";
    const auto data = folder / "share";
    std::filesystem::create_directories(program);
    std::filesystem::create_directories(data);

    const auto expectedMessage =
        "Banco de dados não encontrado. Procurado em: " + (program / "zeb.mdb").string() + ", " +
        (program / "zeb.sqlite").string() + ", " + (data / "zeb.mdb").string() + ", " +
        (data / "zeb.sqlite").string() + ".";
    EXPECT_EQ(errorOf([&] { locateDatabase(program, data); }), expectedMessage);

    // Each file added comes before those already there, so each becomes the answer.
    for (const auto& file :
         {data / "zeb.sqlite", data / "zeb.mdb", program / "zeb.sqlite", program / "zeb.mdb"}) {
        writeFile(file, "x");
        EXPECT_EQ(locateDatabase(program, data), file);
    }
    EXPECT_EQ(installedDataDir("/opt/zeb/bin"), std::filesystem::path("/opt/zeb/share/zeb"));
}

TEST(DatabaseFiles, ConversionThatFailsLeavesTheTargetAsItWas) {
    TemporaryFolder folder;
    const auto out = folder / "zeb.sqlite";
    writeFile(out, "old contents");
    EXPECT_NE(errorOf([&] {
                  convertAccessToSqlite(out, fixture("wrong-table-names.mdb"));
              }).find("não tem a tabela \"zeb\""),
              std::string::npos);
    EXPECT_EQ(readFile(out), "old contents");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()), {}), 1)
        << "no temporary file left behind";

    EXPECT_NE(errorOf([&] {
                  writeSqliteDatabase(folder / "nowhere" / "zeb.sqlite", {});
              }).find("não foi possível gravar"),
              std::string::npos);
}

} // namespace
} // namespace refdata::test
