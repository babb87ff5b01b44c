// The CSV importer: a file is refused naming the file and the line, on one line, or the
// database built from it (with a sound file of the other kind) reads back every row it holds.
#include "fuzz/harness.h"
#include "refdata/database_builder.h"
#include "refdata/open_database.h"

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
    const auto db = std::move(*refdata::openReferenceDatabase(out));
    const auto stations = *db->allStations();
    for (const auto& station : stations) {
        const auto found = *db->findStationByName(station.name);
        FUZZ_CHECK(found && !station.name.empty() && found->coefficients()->Bm,
                   "every station has a name and reads back with its constants");
    }
    const auto classes = *db->allLandClasses();
    for (const auto& landClass : classes) {
        const auto cn = *db->findCurveNumber(landClass);
        FUZZ_CHECK(cn && *cn > 0 && *cn <= 100, "every land class has a curve number in (0, 100]");
    }
    return 0;
}
