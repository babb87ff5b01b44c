#include "refdata/csv_import.h"
#include "refdata/csv_reader.h"
#include "refdata/database_builder.h"
#include "refdata/open_database.h"
#include "refdata/value_text.h"
#include "tests/refdata/test_support.h"

#include <gtest/gtest.h>

namespace refdata::test {
namespace {

const std::string kStationsHeader = "codigo,nome,estado,a,b,c,B5,B15,B30,Bm\n";
const std::string kCurveNumbersHeader = "id,terreno,zona,cn\n";

TEST(CsvReader, FollowsRfc4180AndCountsPhysicalLines) {
    const auto records = parseCsv("\xEF\xBB\xBF"
                                  "a,b\r\n"
                                  "\"x, y\",\"he said \"\"hi\"\"\"\r\n"
                                  "\n"
                                  "\"two\nlines\",\n"
                                  "last,\"\"",
                                  "f.csv");
    ASSERT_EQ(records.size(), 4u);
    EXPECT_EQ(records[0].fields, (std::vector<std::string>{"a", "b"}));
    EXPECT_EQ(records[1].fields, (std::vector<std::string>{"x, y", "he said \"hi\""}));
    EXPECT_EQ(records[2].fields, (std::vector<std::string>{"two\nlines", ""}));
    EXPECT_EQ(records[2].line, 4u);
    EXPECT_EQ(records[3].line, 6u);
    EXPECT_EQ(records[3].fields, (std::vector<std::string>{"last", ""}));
}

TEST(ValueText, NumbersReadCompletelyAndWritePlainly) {
    EXPECT_EQ(parseNumberText(" -0.04 "), -0.04);
    EXPECT_EQ(parseNumberText("+25"), 25.0);
    EXPECT_EQ(parseNumberText("1e3"), 1000.0);
    for (const auto& bad : {"", " ", "2,5", "12abc", "nan", "inf", "1e999", "0x10", "+-1"}) {
        EXPECT_FALSE(parseNumberText(bad)) << bad;
    }
    EXPECT_EQ(numberText(0.1), "0.1");
    EXPECT_EQ(numberText(1.0 / 3.0), "0.333333333333333");
    EXPECT_EQ(numberText(101.0), "101");
    EXPECT_EQ(numberText(-0.04), "-0.04");
}

struct BadCsv {
    const char* what;
    std::string stations;
    std::string curveNumbers;
    std::string message; // after "Arquivo <file>, "
};

void PrintTo(const BadCsv& c, std::ostream* out) {
    *out << c.what;
}

class RefusedCsv : public testing::TestWithParam<BadCsv> {};

const std::string kGoodStation = "1,Posto,SP,0.2,25,20,-0.04,0.08,0.08,0.08\n";
const std::string kGoodCurveNumber = "1,Mata,Rural,55\n";

TEST_P(RefusedCsv, NamesFileLineAndReason) {
    const auto& c = GetParam();
    TemporaryFolder folder;
    const auto stations = folder / "postos.csv";
    const auto curveNumbers = folder / "cn.csv";
    writeFile(stations, c.stations);
    writeFile(curveNumbers, c.curveNumbers);
    const auto out = folder / "zeb.sqlite";
    writeFile(out, "previous");

    const auto badFile = c.stations == kStationsHeader + kGoodStation ? curveNumbers : stations;
    EXPECT_EQ(errorOf([&] { buildDatabaseFromCsv(out, stations, curveNumbers); }),
              "Arquivo " + badFile.string() + ", " + c.message);
    EXPECT_EQ(readFile(out), "previous");
}

INSTANTIATE_TEST_SUITE_P(
    , RefusedCsv,
    testing::Values(
        BadCsv{"MissingColumn", "codigo,nome,estado,a,b,c,B5,B15,B30\n1,P,SP,1,2,3,4,5,6\n",
               kCurveNumbersHeader + kGoodCurveNumber,
               "linha 1: falta a coluna \"Bm\" no cabeçalho."},
        BadCsv{"ColumnsOutOfPlace", "nome,codigo,estado,a,b,c,B5,B15,B30,Bm\n",
               kCurveNumbersHeader + kGoodCurveNumber,
               "linha 1: a coluna 1 do cabeçalho deve ser \"codigo\", não \"nome\"."},
        BadCsv{"NonNumericConstant", kStationsHeader + kGoodStation + "2,P,SP,0.2,abc,1,1,1,1,1\n",
               kCurveNumbersHeader + kGoodCurveNumber,
               "linha 3: o valor de \"b\" não é um número: \"abc\"."},
        BadCsv{"DecimalComma", kStationsHeader + "2,P,SP,\"0,2\",1,1,1,1,1,1\n",
               kCurveNumbersHeader + kGoodCurveNumber,
               "linha 2: o valor de \"a\" não é um número: \"0,2\" (use ponto como separador "
               "decimal)."},
        BadCsv{"EmptyConstant", kStationsHeader + "2,P,SP,0.2,1,1,1,1,1,\n",
               kCurveNumbersHeader + kGoodCurveNumber, "linha 2: o valor de \"Bm\" está vazio."},
        BadCsv{"EmptyName", kStationsHeader + kGoodStation + "2, ,SP,1,1,1,1,1,1,1\n",
               kCurveNumbersHeader + kGoodCurveNumber, "linha 3: o nome do posto está vazio."},
        BadCsv{"EmptyCode", kStationsHeader + ",P,SP,1,1,1,1,1,1,1\n",
               kCurveNumbersHeader + kGoodCurveNumber, "linha 2: o código do posto está vazio."},
        BadCsv{"WrongFieldCount", kStationsHeader + "\n\n2,P,SP,1,1,1,1,1,1\n",
               kCurveNumbersHeader + kGoodCurveNumber,
               "linha 4: a linha tem 9 campos, mas o cabeçalho tem 10."},
        BadCsv{"UnclosedQuote", kStationsHeader + "2,\"P,SP,1,1,1,1,1,1,1\n",
               kCurveNumbersHeader + kGoodCurveNumber, "linha 2: aspas abertas e nunca fechadas."},
        BadCsv{"NotUtf8", kStationsHeader + "2,S\xe3o Paulo,SP,1,1,1,1,1,1,1\n",
               kCurveNumbersHeader + kGoodCurveNumber,
               "linha 2: o texto não está em UTF-8 (salve o arquivo como CSV UTF-8)."},
        BadCsv{"EmptyFile", "", kCurveNumbersHeader,
               "linha 1: o arquivo está vazio; a primeira linha deve ser o cabeçalho "
               "codigo,nome,estado,a,b,c,B5,B15,B30,Bm."},
        BadCsv{"UnknownZone", kStationsHeader + kGoodStation,
               kCurveNumbersHeader + kGoodCurveNumber + "2,Mata,rural,55\n",
               "linha 3: a zona deve ser \"Rural\" ou \"Urbana\", não \"rural\"."},
        BadCsv{"CurveNumberOutOfRange", kStationsHeader + kGoodStation,
               kCurveNumbersHeader + "1,Mata,Urbana,0\n",
               "linha 2: o CN deve ser maior que 0 e no máximo 100, não \"0\"."},
        BadCsv{"LandClassNotSecond", kStationsHeader + kGoodStation, "id,zona,terreno,cn\n",
               "linha 1: a coluna 2 do cabeçalho deve ser \"terreno\", não \"zona\"."}),
    [](const auto& p) { return std::string(p.param.what); });

TEST(BuildDatabase, ShippedDataBuildsWithEveryRowInOrder) {
    TemporaryFolder folder;
    const std::filesystem::path data = ZEB_SHIPPED_DATA_DIR;
    buildDatabaseFromCsv(folder / "zeb.sqlite", data / "stations.csv", data / "curve_numbers.csv");
    const auto db = openReferenceDatabase(folder / "zeb.sqlite");

    const auto stations = db->allStations();
    ASSERT_EQ(stations.size(), 1u);
    const auto station = db->findStationByName(stations[0].nome);
    ASSERT_TRUE(station);
    const auto& k = station->coefficients;
    EXPECT_EQ(std::tie(k.a, k.b, k.c, k.B5, k.B15, k.B30, k.Bm),
              std::make_tuple(0.2, 25.0, 20.0, -0.04, 0.08, 0.08, 0.08));

    const auto classes = db->allLandClasses();
    EXPECT_EQ(classes.size(), 163u);
    EXPECT_EQ(classes.front(), "Solo lavrado, sulcos retilíneos - solo A");
    EXPECT_EQ(db->landClassesOfZone("Rural").size() + db->landClassesOfZone("Urbana").size(), 163u);
}

TEST(BuildDatabase, CodesKeepTheirTextAndExtraColumnsAreIgnored) {
    TemporaryFolder folder;
    writeFile(folder / "p.csv", "codigo,nome,estado,Bm,B30,B15,B5,c,b,a,nota\r\n"
                                "02243010,\"Pau d'Alho, Centro\",PE,7,6,5,4,3,2,1,\"obs\"\r\n");
    writeFile(folder / "c.csv", "n,terreno,cn,zona\n9,\"Mata d'água\",77,Rural\n");
    buildDatabaseFromCsv(folder / "zeb.sqlite", folder / "p.csv", folder / "c.csv");
    const auto db = openReferenceDatabase(folder / "zeb.sqlite");
    const auto station = db->findStationByName("Pau d'Alho, Centro");
    ASSERT_TRUE(station);
    EXPECT_EQ(station->codigo, "02243010");
    EXPECT_EQ(station->coefficients.a, 1.0);
    EXPECT_EQ(station->coefficients.Bm, 7.0);
    EXPECT_EQ(db->findCurveNumber("Mata d'água"), 77.0);
}

} // namespace
} // namespace refdata::test
