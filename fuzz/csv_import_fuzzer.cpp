// The database builder's CSV importer: a file is refused with its name, line and reason, or
// every row it gives keeps the documented rules; an accepted file builds a database whose rows
// read back as imported.
#include "fuzz/harness.h"
#include "refdata/csv_import.h"
#include "refdata/database_builder.h"
#include "refdata/open_database.h"

#include <cmath>
#include <cstdint>
#include <string>

namespace {

constexpr std::string_view kStations = "codigo,nome,estado,a,b,c,B5,B15,B30,Bm\n"
                                       "1,Posto,SP,0.2,25,20,-0.04,0.08,0.08,0.08\n";
constexpr std::string_view kCurveNumbers = "id,terreno,zona,cn\n1,Mata,Rural,60\n";

std::string trimmed(const std::string& text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

void checkRefusal(const refdata::DatabaseError& error, const std::filesystem::path& file) {
    const std::string message = error.what();
    FUZZ_CHECK(message.rfind("Arquivo " + file.string() + ", linha ", 0) == 0,
               "a refused CSV file is named with the line");
    FUZZ_CHECK(message.back() == '.', "the message is a sentence");
    FUZZ_CHECK(message.find_first_of(std::string("\0\r\n", 3)) == std::string::npos,
               "the message is one line, whatever the file holds");
}

void stationsFile(std::string_view bytes) {
    const auto file = zebfuzz::writeTempFile("stations.csv", bytes);
    std::vector<refdata::StationRow> rows;
    try {
        rows = refdata::readStationsCsv(file);
    } catch (const refdata::DatabaseError& error) {
        checkRefusal(error, file);
        return;
    }
    for (const auto& row : rows) {
        FUZZ_CHECK(row.codigo && !trimmed(*row.codigo).empty(), "every station has a code");
        FUZZ_CHECK(row.nome && !trimmed(*row.nome).empty(), "every station has a name");
        const auto& k = row.coefficients;
        for (const auto* value : {&k.a, &k.b, &k.c, &k.B5, &k.B15, &k.B30, &k.Bm}) {
            FUZZ_CHECK(*value && std::isfinite(**value), "every constant is a finite number");
        }
    }
    const auto other = zebfuzz::writeTempFile("cn.csv", kCurveNumbers);
    const auto out = zebfuzz::writeTempFile("built.sqlite", "");
    refdata::buildDatabaseFromCsv(out, file, other);
    const auto stations = refdata::openReferenceDatabase(out)->allStations();
    FUZZ_CHECK(stations.size() == rows.size(), "every imported station is in the database");
    for (std::size_t i = 0; i < rows.size(); ++i) {
        FUZZ_CHECK(stations[i].nome == *rows[i].nome, "names read back as imported");
        FUZZ_CHECK(stations[i].codigo == *rows[i].codigo, "codes read back as imported");
    }
}

void curveNumbersFile(std::string_view bytes) {
    const auto file = zebfuzz::writeTempFile("cn.csv", bytes);
    std::vector<refdata::CurveNumberRow> rows;
    try {
        rows = refdata::readCurveNumbersCsv(file);
    } catch (const refdata::DatabaseError& error) {
        checkRefusal(error, file);
        return;
    }
    for (const auto& row : rows) {
        FUZZ_CHECK(row.terreno && !trimmed(*row.terreno).empty(), "every row has a land class");
        FUZZ_CHECK(row.zona == "Rural" || row.zona == "Urbana", "the zone is Rural or Urbana");
        FUZZ_CHECK(row.cn && *row.cn > 0 && *row.cn <= 100, "the curve number is in (0, 100]");
    }
    const auto other = zebfuzz::writeTempFile("stations.csv", kStations);
    const auto out = zebfuzz::writeTempFile("built.sqlite", "");
    refdata::buildDatabaseFromCsv(out, other, file);
    const auto database = refdata::openReferenceDatabase(out);
    const auto classes = database->allLandClasses();
    FUZZ_CHECK(classes.size() == rows.size(), "every imported row is in the database");
    for (std::size_t i = 0; i < rows.size(); ++i) {
        FUZZ_CHECK(classes[i] == *rows[i].terreno, "land classes read back as imported");
    }
    if (!rows.empty()) {
        const auto cn = database->findCurveNumber(*rows.front().terreno);
        FUZZ_CHECK(cn && *cn == *rows.front().cn, "the first row's curve number reads back");
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) {
        return 0;
    }
    const std::string_view bytes(reinterpret_cast<const char*>(data) + 1, size - 1);
    if (data[0] % 2 == 0) {
        stationsFile(bytes);
    } else {
        curveNumbersFile(bytes);
    }
    return 0;
}
