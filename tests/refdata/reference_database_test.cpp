// The same questions put to every kind of database file must get the same answers: the Access
// fixtures read through the reading child and in process, and converted to SQLite.

#include "refdata/access/access_file.h"
#include "refdata/access/access_text.h"
#include "refdata/database_builder.h"
#include "refdata/open_database.h"
#include "refdata/table_database.h"
#include "tests/refdata/test_support.h"

#include <gtest/gtest.h>

namespace refdata::test {
namespace {

using Database = std::unique_ptr<ReferenceDatabase>;
using Texts = std::vector<std::string>;

Database isolatedAccess(const TemporaryFolder&, const char* mdb) {
    return valueOf(openReferenceDatabase(fixture(mdb)));
}
Database inProcessAccess(const TemporaryFolder&, const char* mdb) {
    return std::make_unique<TableDatabase>(std::make_unique<AccessFile>(fixture(mdb)));
}
Database convertedToSqlite(const TemporaryFolder& folder, const char* mdb) {
    EXPECT_FALSE(convertAccessToSqlite(folder / "converted.sqlite", fixture(mdb)));
    return valueOf(openReferenceDatabase(folder / "converted.sqlite"));
}

auto tied(const calc::StationCoefficients& k) {
    return std::tie(k.a, k.b, k.c, k.B5, k.B15, k.B30, k.Bm);
}
std::string shown(const std::optional<calc::Station>& station) {
    return station ? station->code + "|" + station->name + "|" + station->state : "none";
}

struct Backend {
    const char* name;
    Database (*open)(const TemporaryFolder&, const char* mdb);
};
void PrintTo(const Backend& backend, std::ostream* out) {
    *out << backend.name;
}

class EveryBackend : public testing::TestWithParam<Backend> {
protected:
    Database open(const char* mdb) { return GetParam().open(m_folder, mdb); }
    TemporaryFolder m_folder;
};

// edge-cases.mdb holds these rows (its CSV twins beside it list them), in this order.
TEST_P(EveryBackend, ListsKeepEveryRowInStoredOrderAndZonesMatchExactly) {
    const auto db = open("edge-cases.mdb");
    Texts stations;
    for (const auto& item : valueOf(db->allStations())) {
        stations.push_back(item.code + "|" + item.name + "|" + item.state);
    }
    EXPECT_EQ(stations, (Texts{"101|Vila Rica|MG", "102|Pau d'Alho|PE", "103|Vila Rica|GO",
                               "104|São José dos Campos|SP", "105||RJ", "106|Olho d'Água|AL",
                               "107|Itaú de Minas|MG"}));
    const std::string matas = "Matas em boas condições - solo B";
    const std::string pastagens = "Pastagens em boas condições - solo B";
    const std::string lotes = "Lotes de 500 m² (38% impermeável) - solo B";
    const std::string estacionamentos = "Estacionamentos pavimentados - solo C";
    EXPECT_EQ(valueOf(db->allLandClasses()),
              (Texts{matas, pastagens, matas, lotes, "Área de várzea", "Mata d'água - solo D",
                     estacionamentos, pastagens}));
    EXPECT_EQ(valueOf(db->landClassesOfZone("Rural")),
              (Texts{matas, pastagens, "Mata d'água - solo D"}));
    EXPECT_EQ(valueOf(db->landClassesOfZone("Urbana")),
              (Texts{matas, lotes, estacionamentos, pastagens}));
    EXPECT_TRUE(valueOf(db->landClassesOfZone("rural")).empty());
    EXPECT_TRUE(valueOf(db->landClassesOfZone("Rural ")).empty());
}

TEST_P(EveryBackend, LookupsGiveTheFirstRowWithTheTextWhateverItsZone) {
    const auto db = open("edge-cases.mdb");
    const auto vilaRica = valueOf(db->findStationByName("Vila Rica")); // 101 MG, then 103 GO
    EXPECT_EQ(shown(vilaRica), "101|Vila Rica|MG");
    EXPECT_EQ(tied(*vilaRica->coefficients()), tied({0.3, 30, 12, -0.06, 0.04, 0.08, 0.12}));
    EXPECT_EQ(shown(valueOf(db->findStationByName("Olho d'Água"))), "106|Olho d'Água|AL");
    EXPECT_EQ(shown(valueOf(db->findStationByName(""))), "105||RJ");
    for (const char* absent : {"Vila", "vila rica", "x' OR '1'='1"}) {
        EXPECT_EQ(shown(valueOf(db->findStationByName(absent))), "none") << absent;
    }
    // Matas: Rural 55 then Urbana 60; Pastagens: Rural 61 then Urbana 69.
    EXPECT_EQ(valueOf(db->findCurveNumber("Matas em boas condições - solo B")), 55.0);
    EXPECT_EQ(valueOf(db->findCurveNumber("Pastagens em boas condições - solo B")), 61.0);
    EXPECT_EQ(valueOf(db->findCurveNumber("Lotes de 500 m² (38% impermeável) - solo B")), 75.0);
    EXPECT_FALSE(valueOf(db->findCurveNumber("Mata d'água")));
}

// null-values.mdb: a station without b, one without estado (3rd), one without Bm (4th); a land
// class without cn (2nd).
TEST_P(EveryBackend, NullsAreErrorsOfTheirRowOrEmptyConstants) {
    const auto db = open("null-values.mdb");
    const auto inFile = "Banco de dados " + db->path().string() + ": a linha ";
    EXPECT_EQ(valueOf(db->allStations())[2].state, "");
    EXPECT_EQ(tied(*valueOf(db->findStationByName("Posto Sem b"))->coefficients()),
              tied({0.3, {}, 12, -0.06, 0.04, 0.08, 0.12}));
    EXPECT_FALSE(valueOf(db->findStationByName("Posto Sem Bm"))->coefficients()->Bm);
    EXPECT_EQ(messageOf(db->findStationByName("Posto Sem Estado")),
              inFile + "3 da tabela \"zeb\" não tem valor na coluna \"estado\".");
    EXPECT_EQ(valueOf(db->allLandClasses()).size(), 2u);
    EXPECT_EQ(valueOf(db->findCurveNumber("Classe completa - solo A")), 49.0);
    EXPECT_EQ(messageOf(db->findCurveNumber("Classe sem CN - solo B")),
              inFile + "2 da tabela \"cn\" não tem valor na coluna \"cn\".");
}

INSTANTIATE_TEST_SUITE_P(, EveryBackend,
                         testing::Values(Backend{"Access", isolatedAccess},
                                         Backend{"AccessInProcess", inProcessAccess},
                                         Backend{"ConvertedToSqlite", convertedToSqlite}),
                         [](const auto& p) { return std::string(p.param.name); });

TEST(ReferenceDatabase, ColumnsAfterTheFirstThreeAreFoundByNameWhereverTheyStand) {
    // The rows of edge-cases.mdb, the constants shuffled and a text column added.
    const auto shuffled = valueOf(openReferenceDatabase(fixture("shuffled-columns.accdb")));
    EXPECT_EQ(tied(*valueOf(shuffled->findStationByName("São José dos Campos"))->coefficients()),
              tied({0.4, 28, 20, -0.04, 0.0, 0.04, 0.08}));
    // SQLite, like Access, finds table and column names without regard to case; the file's
    // name means something in a URI ("?" too, where names may hold it: the POSIX tests).
    TemporaryFolder folder;
    makeSqliteDatabase(folder / "caixa#%20.sqlite",
                       "CREATE TABLE ZEB (CODIGO, NOME, ESTADO, BM, B30, B15, B5, C, B, A);"
                       "INSERT INTO ZEB VALUES (7, 'P', 'SP', 1, 2, 3, 4, 5, 6, 7);"
                       "CREATE TABLE CN (ID, TERRENO, ZONA, CN);"
                       "INSERT INTO CN VALUES (1, 'Mata', 'Rural', 55);");
    const auto upper = valueOf(openReferenceDatabase(folder / "caixa#%20.sqlite"));
    EXPECT_EQ(tied(*valueOf(upper->findStationByName("P"))->coefficients()),
              tied({7, 6, 5, 4, 3, 2, 1}));
    EXPECT_EQ(valueOf(upper->landClassesOfZone("Rural")), Texts{"Mata"});
    EXPECT_EQ(valueOf(upper->findCurveNumber("Mata")), 55.0);
}

// A copy of edge-cases.mdb in forms the builder never writes but Access may: "Pau d'Alho
// Central" compressed (0xff 0xfe, then a byte a character) over the UTF-16 of "Pau d'Alho",
// codigo a 2-byte Integer instead of a Long Integer, and the last format version known (6).
TEST(ReferenceDatabase, AccessFilesInOtherStoredFormsReadAlike) {
    TemporaryFolder folder;
    auto bytes = readFile(fixture("edge-cases.mdb"));
    bytes.replace(110464, 20, "\xff\xfePau d'Alho Central");
    bytes[98367] = 3;      // the type of zeb's first column, on page 24
    bytes[98367 + 23] = 2; // its width
    bytes[0x14] = 6;
    writeFile(folder / "formas.mdb", bytes);
    const auto db = valueOf(openReferenceDatabase(folder / "formas.mdb"));
    EXPECT_EQ(valueOf(db->allStations())[0].code, "101");
    EXPECT_EQ(shown(valueOf(db->findStationByName("Pau d'Alho Central"))),
              "102|Pau d'Alho Central|PE");
}

// Decoded in our code on every system: UTF-16, compressed, switched to two bytes and back, a
// character beyond the first 65,536, and half of one.
TEST(ReferenceDatabase, AccessTextsDecodeToUtf8) {
    using namespace std::string_literals;
    const std::pair<std::string, std::string> stored[] = {
        {"S\0\xe3\0o\0"s, "São"},
        {"\xff\xfeS\xe3o"s, "São"},
        {"\xff\xfe"
         "A\0\x2c\x01\0B"s,
         "AĬB"},
        {"\x3d\xd8\x00\xde"s, "\U0001F600"},
        {"\x00\xd8x"s, "\uFFFD"},
    };
    for (const auto& [bytes, text] : stored) {
        EXPECT_EQ(textFromStoredUtf16(bytes), text);
    }
}

TEST(ReferenceDatabase, MissingTablesColumnsAndNumbersAreErrorsWhereTheyAreRead) {
    const auto file = [](const char* name) { return "Banco de dados " + fixture(name).string(); };
    const auto noBm = valueOf(openReferenceDatabase(fixture("missing-bm-column.mdb")));
    EXPECT_EQ(valueOf(noBm->allStations()).size(), 7u) << "the lists need no constants";
    EXPECT_EQ(messageOf(noBm->findStationByName("Vila Rica")),
              file("missing-bm-column.mdb") + ": a tabela \"zeb\" não tem a coluna \"Bm\".");
    const auto empty = valueOf(openReferenceDatabase(fixture("empty-tables.mdb")));
    EXPECT_TRUE(valueOf(empty->allStations()).empty() && valueOf(empty->allLandClasses()).empty());
    const auto wrong = valueOf(openReferenceDatabase(fixture("wrong-table-names.mdb")));
    EXPECT_EQ(messageOf(wrong->allStations()),
              file("wrong-table-names.mdb") + ": o arquivo não tem a tabela \"zeb\".");

    TemporaryFolder folder;
    const auto sqlite = folder / "texto.sqlite";
    makeSqliteDatabase(sqlite,
                       "CREATE TABLE zeb (codigo, nome, estado, a, b, c, B5, B15, B30, Bm);"
                       "INSERT INTO zeb (rowid, codigo, nome, estado) VALUES (0, 6, 'Q', 'RJ');"
                       "INSERT INTO zeb VALUES (7, 'P', 'SP', '0.2', 'x', 3, 4, 5, 6, 7);"
                       "CREATE TABLE cn (terreno, cn);"
                       "INSERT INTO cn VALUES ('Mata', 55);");
    const auto db = valueOf(openReferenceDatabase(sqlite));
    const auto inFile = "Banco de dados " + sqlite.string() + ": ";
    // The row as the user counts it, whatever its rowid (here 0 and 7).
    EXPECT_EQ(messageOf(db->findStationByName("P")),
              inFile + "a linha 2 da tabela \"zeb\" tem na coluna \"b\" um valor que não é "
                       "número: \"x\".");
    EXPECT_EQ(valueOf(db->findCurveNumber("Mata")), 55.0)
        << "the curve-number lookup needs no zone";
    EXPECT_EQ(messageOf(db->landClassesOfZone("Rural")),
              inFile + "a tabela \"cn\" não tem a coluna \"zona\".");
    // A station holds the seven constants or a whole IDF equation.
    makeSqliteDatabase(
        folder / "idf.sqlite",
        "CREATE TABLE zeb (codigo, nome, estado, a, b, c, B5, B15, B30, Bm, "
        "\"idf-K\", \"idf-n\", \"idf-fonte\");"
        "INSERT INTO zeb VALUES (1, 'Mista', 'SP', 0.2, 2, 2, 0, 0, 0, 0, 9, 1, '');"
        "INSERT INTO zeb (codigo, nome, estado, \"idf-K\") VALUES (2, 'Meia', '', 9);"
        "INSERT INTO zeb VALUES (3, 'Vazia', 'SP', 7, 6, 5, 4, 3, 2, 1, NULL, NULL, ' ');");
    const auto idf = valueOf(openReferenceDatabase(folder / "idf.sqlite"));
    const auto refused = "Banco de dados " + (folder / "idf.sqlite").string() + ": o posto ";
    EXPECT_EQ(messageOf(idf->findStationByName("Mista")),
              refused + "\"Mista\" (código 1) da tabela \"zeb\" foi recusado: o posto tem as "
                        "constantes de Pfafstetter e uma equação IDF; um posto tem uma ou outra.");
    EXPECT_EQ(messageOf(idf->findStationByName("Meia")),
              refused + "\"Meia\" (código 2) da tabela \"zeb\" foi recusado: a equação IDF está "
                        "incompleta: falta o valor de \"idf-m\".");
    EXPECT_EQ(tied(*valueOf(idf->findStationByName("Vazia"))->coefficients()),
              tied({7, 6, 5, 4, 3, 2, 1}))
        << "an empty source gives no equation";
    makeSqliteDatabase(folder / "outra.sqlite", "CREATE TABLE solos (id, terreno, zona, cn);");
    EXPECT_EQ(
        messageOf(valueOf(openReferenceDatabase(folder / "outra.sqlite"))->findCurveNumber("")),
        "Banco de dados " + (folder / "outra.sqlite").string() +
            ": o arquivo não tem a tabela \"cn\".");
}

} // namespace
} // namespace refdata::test
