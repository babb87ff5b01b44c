// The same questions put to every kind of database file must get the same answers: the
// Access fixtures, their SQLite twins built from the CSV twins, and Access files converted
// to SQLite.

#include "refdata/database_builder.h"
#include "refdata/open_database.h"
#include "refdata/sqlite_writer.h"
#include "refdata/station_by_code.h"
#include "tests/refdata/test_support.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace refdata::test {
namespace {

using Maker = std::filesystem::path (*)(const TemporaryFolder&, std::string_view accessFixture,
                                        std::string_view stationsCsv, std::string_view cnCsv);

struct Backend {
    const char* name;
    Maker make;
};
void PrintTo(const Backend& backend, std::ostream* out) {
    *out << backend.name;
}

std::filesystem::path accessFile(const TemporaryFolder&, std::string_view accessFixture,
                                 std::string_view, std::string_view) {
    return fixture(accessFixture);
}

std::filesystem::path sqliteTwin(const TemporaryFolder& folder, std::string_view,
                                 std::string_view stationsCsv, std::string_view cnCsv) {
    const auto file = folder / "twin.sqlite";
    writeSqliteDatabase(file, tablesFromCsvTwins(stationsCsv, cnCsv));
    return file;
}

std::filesystem::path convertedFromAccess(const TemporaryFolder& folder,
                                          std::string_view accessFixture, std::string_view,
                                          std::string_view) {
    const auto file = folder / "converted.sqlite";
    convertAccessToSqlite(file, fixture(accessFixture));
    return file;
}

class EveryBackend : public testing::TestWithParam<Backend> {
protected:
    std::unique_ptr<ReferenceDatabase> open(std::string_view accessFixture,
                                            std::string_view stationsCsv, std::string_view cnCsv) {
        return openReferenceDatabase(GetParam().make(m_folder, accessFixture, stationsCsv, cnCsv));
    }
    std::unique_ptr<ReferenceDatabase> openEdgeCases() {
        return open("edge-cases.mdb", "edge-stations.csv", "edge-cn.csv");
    }

    TemporaryFolder m_folder;
};

std::vector<std::string> landClassesOf(const ReferenceTables& tables,
                                       std::optional<std::string_view> zone) {
    std::vector<std::string> classes;
    for (const auto& row : tables.curveNumbers) {
        if (!zone || row.zona == *zone) {
            classes.push_back(*row.terreno);
        }
    }
    return classes;
}

TEST_P(EveryBackend, ListsEveryRowInStoredOrderWithTextsExactlyAsWritten) {
    const auto expected = tablesFromCsvTwins("edge-stations.csv", "edge-cn.csv");
    const auto db = openEdgeCases();

    const auto stations = db->allStations();
    ASSERT_EQ(stations.size(), expected.stations.size());
    for (std::size_t i = 0; i < stations.size(); ++i) {
        EXPECT_EQ(stations[i].codigo, *expected.stations[i].codigo) << i;
        EXPECT_EQ(stations[i].nome, *expected.stations[i].nome) << i;
        EXPECT_EQ(stations[i].estado, *expected.stations[i].estado) << i;
    }
    EXPECT_EQ(db->allLandClasses(), landClassesOf(expected, std::nullopt));
}

TEST_P(EveryBackend, ZoneQueryKeepsOnlyRowsOfExactlyThatZone) {
    const auto expected = tablesFromCsvTwins("edge-stations.csv", "edge-cn.csv");
    const auto db = openEdgeCases();
    EXPECT_EQ(db->landClassesOfZone("Rural"), landClassesOf(expected, "Rural"));
    EXPECT_EQ(db->landClassesOfZone("Urbana"), landClassesOf(expected, "Urbana"));
    for (const auto& zone : {"Rural", "Urbana"}) {
        const auto classes = db->landClassesOfZone(zone);
        EXPECT_EQ(std::ranges::count(classes, "Área de várzea"), 0)
            << "a \"Mista\" row in " << zone;
    }
    EXPECT_TRUE(db->landClassesOfZone("rural").empty());
    EXPECT_TRUE(db->landClassesOfZone("Rural ").empty());
}

TEST_P(EveryBackend, StationLookupGivesTheFirstRowWithTheNameAndAllItsConstants) {
    const auto expected = tablesFromCsvTwins("edge-stations.csv", "edge-cn.csv");
    const auto db = openEdgeCases();
    for (const auto& name :
         {"Vila Rica", "Pau d'Alho", "São José dos Campos", "Olho d'Água", "Itaú de Minas", ""}) {
        const auto first = std::ranges::find(expected.stations, std::optional<std::string>(name),
                                             &StationRow::nome);
        const auto found = db->findStationByName(name);
        ASSERT_TRUE(found) << name;
        EXPECT_EQ(found->codigo, *first->codigo) << name;
        EXPECT_EQ(found->nome, name);
        EXPECT_EQ(found->estado, *first->estado) << name;
        const auto& k = found->coefficients;
        const auto& e = first->coefficients;
        EXPECT_EQ(std::tie(k.a, k.b, k.c, k.B5, k.B15, k.B30, k.Bm),
                  std::tie(e.a, e.b, e.c, e.B5, e.B15, e.B30, e.Bm))
            << name;
    }
    EXPECT_EQ(db->findStationByName("Vila Rica")->codigo, "101");
    EXPECT_FALSE(db->findStationByName("Vila"));
    EXPECT_FALSE(db->findStationByName("vila rica"));
    EXPECT_FALSE(db->findStationByName("x' OR '1'='1"));
}

TEST_P(EveryBackend, CurveNumberOfTheFirstRowWhateverItsZone) {
    const auto db = openEdgeCases();
    EXPECT_EQ(db->findCurveNumber("Matas em boas condições - solo B"), 55.0); // Rural 55, Urbana 60
    EXPECT_EQ(db->findCurveNumber("Pastagens em boas condições - solo B"), 61.0);
    EXPECT_EQ(db->findCurveNumber("Mata d'água - solo D"), 77.0);
    EXPECT_EQ(db->findCurveNumber("Lotes de 500 m² (38% impermeável) - solo B"), 75.0);
    EXPECT_FALSE(db->findCurveNumber("Mata d'água"));
}

TEST_P(EveryBackend, PickingACodeLooksUpTheNameAtItsPosition) {
    const auto db = openEdgeCases();
    EXPECT_EQ(findStationByCode(*db, "106")->nome, "Olho d'Água");
    // 103 shares its name with 101, which comes first: the window ends on 101 too.
    EXPECT_EQ(findStationByCode(*db, "103")->codigo, "101");
    EXPECT_FALSE(findStationByCode(*db, "105")) << "an empty name starts no lookup";
    EXPECT_FALSE(findStationByCode(*db, "999"));
}

TEST_P(EveryBackend, NullsAreErrorsOfTheirRowOrEmptyConstants) {
    const auto db = open("null-values.mdb", "null-stations.csv", "null-cn.csv");
    const auto file = db->path().string();

    const auto stations = db->allStations();
    ASSERT_EQ(stations.size(), 4u);
    EXPECT_EQ(stations[2].estado, "");

    const auto withoutB = db->findStationByName("Posto Sem b");
    ASSERT_TRUE(withoutB);
    EXPECT_FALSE(withoutB->coefficients.b);
    EXPECT_EQ(withoutB->coefficients.a, 0.3);
    const auto withoutBm = db->findStationByName("Posto Sem Bm");
    ASSERT_TRUE(withoutBm);
    EXPECT_FALSE(withoutBm->coefficients.Bm);
    EXPECT_EQ(withoutBm->coefficients.B30, 0.08);

    EXPECT_EQ(errorOf([&] { db->findStationByName("Posto Sem Estado"); }),
              "Banco de dados " + file +
                  ": a linha 3 da tabela \"zeb\" não tem valor na coluna \"estado\".");
    EXPECT_EQ(db->allLandClasses().size(), 2u);
    EXPECT_EQ(errorOf([&] { db->findCurveNumber("Classe sem CN - solo B"); }),
              "Banco de dados " + file +
                  ": a linha 2 da tabela \"cn\" não tem valor na coluna \"cn\".");
    EXPECT_EQ(db->findCurveNumber("Classe completa - solo A"), 49.0);
}

INSTANTIATE_TEST_SUITE_P(, EveryBackend,
                         testing::Values(Backend{"Access", accessFile},
                                         Backend{"SqliteTwin", sqliteTwin},
                                         Backend{"ConvertedFromAccess", convertedFromAccess}),
                         [](const auto& p) { return std::string(p.param.name); });

TEST(ReferenceDatabase, EmptyTablesGiveEmptyListsAndNoMatches) {
    TemporaryFolder folder;
    writeSqliteDatabase(folder / "empty.sqlite", {});
    convertAccessToSqlite(folder / "converted.sqlite", fixture("empty-tables.mdb"));
    for (const auto& file :
         {fixture("empty-tables.mdb"), folder / "empty.sqlite", folder / "converted.sqlite"}) {
        const auto db = openReferenceDatabase(file);
        EXPECT_TRUE(db->allStations().empty()) << file;
        EXPECT_TRUE(db->allLandClasses().empty()) << file;
        EXPECT_TRUE(db->landClassesOfZone("Rural").empty()) << file;
        EXPECT_FALSE(db->findStationByName("")) << file;
        EXPECT_FALSE(db->findCurveNumber("Mata d'água - solo D")) << file;
    }
}

TEST(ReferenceDatabase, AccessColumnsAfterTheFirstThreeAreReadByName) {
    // Same rows as edge-cases.mdb with the constants shuffled and an extra text column.
    const auto shuffled = openReferenceDatabase(fixture("shuffled-columns.accdb"));
    const auto plain = openReferenceDatabase(fixture("edge-cases.mdb"));
    for (const auto& item : plain->allStations()) {
        const auto a = shuffled->findStationByName(item.nome);
        const auto b = plain->findStationByName(item.nome);
        ASSERT_TRUE(a && b) << item.nome;
        EXPECT_EQ(a->codigo, b->codigo);
        EXPECT_EQ(a->estado, b->estado);
        const auto& x = a->coefficients;
        const auto& y = b->coefficients;
        EXPECT_EQ(std::tie(x.a, x.b, x.c, x.B5, x.B15, x.B30, x.Bm),
                  std::tie(y.a, y.b, y.c, y.B5, y.B15, y.B30, y.Bm))
            << item.nome;
    }
    EXPECT_EQ(shuffled->allLandClasses(), plain->allLandClasses());
}

TEST(ReferenceDatabase, MissingColumnIsAClearErrorWhereItIsRead) {
    TemporaryFolder folder;
    const auto sqlite = folder / "sem-bm.sqlite";
    makeSqliteDatabase(sqlite, "CREATE TABLE zeb (codigo, nome, estado, a, b, c, B5, B15, B30);"
                               "INSERT INTO zeb VALUES (101, 'Vila Rica', 'MG', 1, 2, 3, 4, 5, 6);"
                               "CREATE TABLE cn (id, terreno, cn);"
                               "INSERT INTO cn VALUES (1, 'Mata', 55);");
    for (const auto& file : {fixture("missing-bm-column.mdb"), sqlite}) {
        const auto db = openReferenceDatabase(file);
        EXPECT_EQ(db->allStations().front().codigo, "101") << "the lists need no constants";
        EXPECT_EQ(errorOf([&] { db->findStationByName("Vila Rica"); }),
                  "Banco de dados " + file.string() +
                      ": a tabela \"zeb\" não tem a coluna \"Bm\".");
    }
    const auto db = openReferenceDatabase(sqlite);
    EXPECT_EQ(db->findCurveNumber("Mata"), 55.0) << "the curve-number lookup needs no zone";
    EXPECT_EQ(errorOf([&] { db->landClassesOfZone("Rural"); }),
              "Banco de dados " + sqlite.string() + ": a tabela \"cn\" não tem a coluna \"zona\".");
}

TEST(ReferenceDatabase, FileWithoutTheTablesIsAClearError) {
    TemporaryFolder folder;
    const auto sqlite = folder / "outros.sqlite";
    makeSqliteDatabase(sqlite, "CREATE TABLE postos (codigo, nome, estado);"
                               "CREATE TABLE solos (id, terreno, zona, cn);");
    for (const auto& file : {fixture("wrong-table-names.mdb"), sqlite}) {
        const auto db = openReferenceDatabase(file);
        const auto prefix = "Banco de dados " + file.string() + ": o arquivo não tem a tabela ";
        EXPECT_EQ(errorOf([&] { db->allStations(); }), prefix + "\"zeb\".");
        EXPECT_EQ(errorOf([&] { db->findStationByName("Vila Rica"); }), prefix + "\"zeb\".");
        EXPECT_EQ(errorOf([&] { db->allLandClasses(); }), prefix + "\"cn\".");
        EXPECT_EQ(errorOf([&] { db->findCurveNumber("Mata"); }), prefix + "\"cn\".");
    }
}

TEST(ReferenceDatabase, NonNumericConstantIsAnErrorOfItsRow) {
    TemporaryFolder folder;
    const auto file = folder / "texto.sqlite";
    makeSqliteDatabase(file, "CREATE TABLE zeb (codigo, nome, estado, a, b, c, B5, B15, B30, Bm);"
                             "INSERT INTO zeb VALUES (7, 'P', 'SP', '0.2', 'x', 3, 4, 5, 6, 7);");
    const auto db = openReferenceDatabase(file);
    EXPECT_EQ(errorOf([&] { db->findStationByName("P"); }),
              "Banco de dados " + file.string() +
                  ": a linha 1 da tabela \"zeb\" tem na coluna \"b\" um valor que não é número: "
                  "\"x\".");
}

} // namespace
} // namespace refdata::test
