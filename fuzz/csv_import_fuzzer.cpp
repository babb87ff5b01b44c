// The CSV importer: a file is refused naming the file and the line, on one line, or it builds a
// database (with a sound file of the other kind) whose rows keep the documented rules.
#include "fuzz/harness.h"
#include "refdata/database_builder.h"
#include "refdata/open_database.h"

#include <cmath>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) {
        return 0;
    }
    const auto input = zebfuzz::writeTempFile(
        "input.csv", std::string_view(reinterpret_cast<const char*>(data) + 1, size - 1));
    const bool ofStations = data[0] % 2 == 0;
    const auto other = zebfuzz::writeTempFile(
        "other.csv", ofStations ? "id,terreno,zona,cn\n1,Mata,Rural,60\n"
                                : "codigo,nome,estado,a,b,c,B5,B15,B30,Bm\n1,P,SP,1,2,3,4,5,6,7\n");
    const auto out = zebfuzz::writeTempFile("built.sqlite", "");
    if (const auto error = ofStations ? refdata::buildDatabaseFromCsv(out, input, other)
                                      : refdata::buildDatabaseFromCsv(out, other, input)) {
        FUZZ_CHECK(error->message.starts_with("Arquivo " + input.string() + ", linha ") &&
                       error->message.find_first_of(std::string("\0\r\n", 3)) == std::string::npos,
                   "a refusal names the file and the line, on one line");
        return 0;
    }
    const auto db = std::move(std::get<0>(refdata::openReferenceDatabase(out)));
    const auto stations = std::get<0>(db->allStations());
    for (const auto& station : stations) {
        FUZZ_CHECK(station.codigo.find_first_not_of(" \t") != std::string::npos &&
                       station.nome.find_first_not_of(" \t") != std::string::npos,
                   "every station has a code and a name");
        const auto k = std::get<0>(db->findStationByName(station.nome))->coefficients;
        for (const auto& value : {k.a, k.b, k.c, k.B5, k.B15, k.B30, k.Bm}) {
            FUZZ_CHECK(value && std::isfinite(*value), "every constant is a finite number");
        }
    }
    const auto rural = std::get<0>(db->landClassesOfZone("Rural")).size();
    const auto urban = std::get<0>(db->landClassesOfZone("Urbana")).size();
    const auto classes = std::get<0>(db->allLandClasses());
    FUZZ_CHECK(rural + urban == classes.size(), "every zone is Rural or Urbana");
    for (const auto& landClass : classes) {
        const auto cn = std::get<0>(db->findCurveNumber(landClass));
        FUZZ_CHECK(landClass.find_first_not_of(" \t") != std::string::npos && cn && *cn > 0 &&
                       *cn <= 100,
                   "every land class has a name and a curve number in (0, 100]");
    }
    return 0;
}
