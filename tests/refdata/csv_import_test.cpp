// Building a database from the user's CSV files: what is read, and every refusal naming the
// file, the line and the reason, the target left as it was.

#include "refdata/database_builder.h"
#include "refdata/open_database.h"
#include "refdata/value_text.h"
#include "tests/refdata/test_support.h"

#include <gtest/gtest.h>

namespace refdata::test {
namespace {

using namespace std::string_literals;

const std::string kStationsHeader = "codigo,nome,estado,a,b,c,B5,B15,B30,Bm\n";
const std::string kGoodStation = "1,Posto,SP,0.2,25,20,-0.04,0.08,0.08,0.08\n";
const std::string kStations = kStationsHeader + kGoodStation;
const std::string kIdfHeader =
    "codigo,nome,estado,a,b,c,B5,B15,B30,Bm,idf-K,idf-m,idf-t0,idf-n,idf-fonte\n";
const std::string kCurveNumbersHeader = "id,terreno,zona,cn\n";
const std::string kCurveNumbers = kCurveNumbersHeader + "1,Mata,Rural,55\n";

TEST(ValueText, NumbersReadCompletelyAndWritePlainly) {
    EXPECT_EQ(parseNumberText(" +1e3 "), 1000.0);
    for (const auto& bad : {"", " ", "2,5", "12abc", "nan", "inf", "1e999", "0x10", "+-1"}) {
        EXPECT_FALSE(parseNumberText(bad)) << bad;
    }
    EXPECT_EQ(numberText(1.0 / 3.0) + " " + numberText(101.0) + " " + floatText(0.2f),
              "0.333333333333333 101 0.2");
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

TEST_P(RefusedCsv, NamesFileLineAndReason) {
    const auto& c = GetParam();
    TemporaryFolder folder;
    const auto stations = folder / "postos.csv";
    const auto curveNumbers = folder / "cn.csv";
    writeFile(stations, c.stations);
    writeFile(curveNumbers, c.curveNumbers);
    const auto out = folder / "zeb.sqlite";
    writeFile(out, "previous");

    const auto badFile = c.stations == kStations ? curveNumbers : stations;
    EXPECT_EQ(messageOf(buildDatabaseFromCsv(out, stations, curveNumbers)),
              "Arquivo " + badFile.string() + ", " + c.message);
    EXPECT_EQ(readFile(out), "previous");
}

const std::string kUtf8Refused = ": o texto não está em UTF-8 (salve o arquivo como CSV UTF-8).";

INSTANTIATE_TEST_SUITE_P(
    , RefusedCsv,
    testing::Values(
        BadCsv{"MissingColumn", "codigo,nome,estado,a,b,c,B5,B15,B30\n1,P,SP,1,2,3,4,5,6\n",
               kCurveNumbers, "linha 1: falta a coluna \"Bm\" no cabeçalho."},
        // Names are matched exactly, as the format says.
        BadCsv{"ColumnNameInOtherCase", "codigo,nome,estado,a,b,c,B5,B15,B30,BM\n", kCurveNumbers,
               "linha 1: falta a coluna \"Bm\" no cabeçalho."},
        BadCsv{"DuplicatedColumn", "codigo,nome,estado,a,b,c,B5,B15,B30,Bm,b\n", kCurveNumbers,
               "linha 1: a coluna \"b\" aparece duas vezes no cabeçalho."},
        BadCsv{"ColumnsOutOfPlace", "nome,codigo,estado,a,b,c,B5,B15,B30,Bm\n", kCurveNumbers,
               "linha 1: a coluna 1 do cabeçalho deve ser \"codigo\", não \"nome\"."},
        BadCsv{"MisspeltName", "codigo,nomes,estado,a,b,c,B5,B15,B30,Bm\n", kCurveNumbers,
               "linha 1: a coluna 2 do cabeçalho deve ser \"nome\", não \"nomes\"."},
        BadCsv{"NonNumericConstant", kStations + "2,P,SP,0.2,abc,1,1,1,1,1\n", kCurveNumbers,
               "linha 3: o valor de \"b\" não é um número: \"abc\"."},
        BadCsv{"DecimalComma", kStationsHeader + "2,P,SP,\"0,2\",1,1,1,1,1,1\n", kCurveNumbers,
               "linha 2: o valor de \"a\" não é um número: \"0,2\" (use ponto como separador "
               "decimal)."},
        BadCsv{"EmptyConstant", kStationsHeader + "2,P,SP,0.2,1,1,1,1,1,\n", kCurveNumbers,
               "linha 2: o valor de \"Bm\" está vazio."},
        BadCsv{"ImpossibleRainfall", kStations + "2,P,SP,0.2,-25,20,-0.04,0.08,0.08,0.08\n",
               kCurveNumbers,
               "linha 3: a precipitação pontual de 5 min para TR 2 anos não é maior que zero."},
        BadCsv{"BothKinds", kIdfHeader + "2,P,SP,0.2,25,20,-0.04,0.08,0.08,0.08,897,0.1,11,0.7,\n",
               kCurveNumbers,
               "linha 2: o posto tem as constantes de Pfafstetter e uma equação IDF; um posto tem "
               "uma ou outra."},
        BadCsv{"IncompleteIdf", kIdfHeader + "2,P,SP,,,,,,,,897,0.1,11,,DAEE\n", kCurveNumbers,
               "linha 2: a equação IDF está incompleta: falta o valor de \"idf-n\"."},
        BadCsv{"IdfSourceAlone", kIdfHeader + "2,P,SP,0.2,25,20,-0.04,0.08,0.08,0.08,,,,,DAEE\n",
               kCurveNumbers,
               "linha 2: o posto tem as constantes de Pfafstetter e uma equação IDF; um posto tem "
               "uma ou outra."},
        BadCsv{"IdfColumnMissing",
               "codigo,nome,estado,a,b,c,B5,B15,B30,Bm,idf-K\n2,P,SP,,,,,,,,9\n", kCurveNumbers,
               "linha 2: a equação IDF está incompleta: falta o valor de \"idf-m\"."},
        BadCsv{"ImpossibleIdf", kIdfHeader + "2,P,SP,,,,,,,,897,0.1,11,0,\n", kCurveNumbers,
               "linha 2: n deve ser um número finito maior que 0."},
        BadCsv{"EmptyName", kStations + "2, ,SP,1,1,1,1,1,1,1\n", kCurveNumbers,
               "linha 3: o nome do posto está vazio."},
        BadCsv{"EmptyCode", kStationsHeader + ",P,SP,1,1,1,1,1,1,1\n", kCurveNumbers,
               "linha 2: o código do posto está vazio."},
        BadCsv{"WrongFieldCount", kStationsHeader + "\n\n2,P,SP,1,1,1,1,1,1\n", kCurveNumbers,
               "linha 4: a linha tem 9 campos, mas o cabeçalho tem 10."},
        BadCsv{"UnclosedQuote", kStationsHeader + "2,\"P,SP,1,1,1,1,1,1,1\n", kCurveNumbers,
               "linha 2: aspas abertas e nunca fechadas."},
        BadCsv{"NotUtf8", kStationsHeader + "2,S\xe3o Paulo,SP,1,1,1,1,1,1,1\n", kCurveNumbers,
               "linha 2" + kUtf8Refused},
        // "/" written in four bytes: that longer form is not UTF-8.
        BadCsv{"OverlongUtf8In4Bytes", kStations + "2,\xf0\x80\x80\xaf,SP,1,1,1,1,1,1,1\n",
               kCurveNumbers, "linha 3" + kUtf8Refused},
        BadCsv{"EmptyFile", "", kCurveNumbersHeader,
               "linha 1: o arquivo está vazio; a primeira linha deve ser o cabeçalho "
               "codigo,nome,estado,a,b,c,B5,B15,B30,Bm."},
        // Control characters are written as their codes, so the message stays one line.
        BadCsv{"ControlCharactersInAValue", "\r\ncodigo,\"0\0\r\nx\x7f\"\r\n"s, kCurveNumbers,
               "linha 2: a coluna 2 do cabeçalho deve ser \"nome\", não "
               "\"0\\x00\\x0d\\x0ax\\x7f\"."},
        BadCsv{"EmptyLandClass", kStations, kCurveNumbers + "2, ,Urbana,55\n",
               "linha 3: o terreno está vazio."},
        BadCsv{"UnknownZone", kStations, kCurveNumbers + "2,Mata,rural,55\n",
               "linha 3: a zona deve ser \"Rural\" ou \"Urbana\", não \"rural\"."},
        BadCsv{"CurveNumberZero", kStations, kCurveNumbersHeader + "1,Mata,Urbana,0\n",
               "linha 2: o CN deve ser maior que 0 e no máximo 100, não \"0\"."},
        BadCsv{"CurveNumberAbove100", kStations, kCurveNumbersHeader + "1,Mata,Urbana,100.5\n",
               "linha 2: o CN deve ser maior que 0 e no máximo 100, não \"100.5\"."},
        BadCsv{"LandClassNotSecond", kStations, "id,zona,terreno,cn\n",
               "linha 1: a coluna 2 do cabeçalho deve ser \"terreno\", não \"zona\"."}),
    [](const auto& p) { return std::string(p.param.what); });

TEST(BuildDatabase, CodesKeepTheirTextColumnsStandInAnyOrderAndCn100IsKept) {
    TemporaryFolder folder;
    writeFile(folder / "p.csv", "codigo,nome,estado,Bm,B30,B15,B5,c,b,a,nota\r\n"
                                "02243010,\"Pau d'Alho, Centro\",PE,7,6,5,4,3,2,1,\"obs\"\r\n");
    writeFile(folder / "c.csv", "n,terreno,cn,zona\n9,\"Mata d'água\",100,Rural\n");
    ASSERT_FALSE(buildDatabaseFromCsv(folder / "zeb.sqlite", folder / "p.csv", folder / "c.csv"));
    const auto db = valueOf(openReferenceDatabase(folder / "zeb.sqlite"));
    const auto station = valueOf(db->findStationByName("Pau d'Alho, Centro"));
    ASSERT_TRUE(station);
    EXPECT_EQ(station->code, "02243010");
    EXPECT_EQ(station->coefficients()->a, 1.0);
    EXPECT_EQ(station->coefficients()->Bm, 7.0);
    EXPECT_EQ(valueOf(db->findCurveNumber("Mata d'água")), 100.0);
}

TEST(BuildDatabase, AStationMayHoldAnIdfEquationWithItsSource) {
    TemporaryFolder folder;
    writeFile(folder / "p.csv", kIdfHeader + kGoodStation.substr(0, kGoodStation.size() - 1) +
                                    ",,,,,\n3,Campinas,SP,,,,,,,,897.79,0.1463,11.83,0.758,"
                                    "\"DAEE, 1999\"\n");
    writeFile(folder / "c.csv", kCurveNumbers);
    ASSERT_FALSE(buildDatabaseFromCsv(folder / "zeb.sqlite", folder / "p.csv", folder / "c.csv"));
    const auto db = valueOf(openReferenceDatabase(folder / "zeb.sqlite"));
    const auto idf = valueOf(db->findStationByName("Campinas"));
    ASSERT_TRUE(idf && idf->idf());
    EXPECT_EQ(*idf->idf(),
              (calc::StationIdfEquation{{897.79, 0.1463, 11.83, 0.758}, "DAEE, 1999"}));
    EXPECT_EQ(valueOf(db->findStationByName("Posto"))->coefficients()->a, 0.2);
}

} // namespace
} // namespace refdata::test
