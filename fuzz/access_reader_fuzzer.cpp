// The Access reader over damaged files (libFuzzer mutates copies of the fixtures): opening the
// file and every operation the program makes of it either answers or throws DatabaseError
// naming the file; nothing crashes, hangs or throws anything else.
//
// The program reads Access files in a child process, whose coverage libFuzzer cannot see. With
// ZEB_FUZZ_ACCESS_IN_PROCESS=1 the target drives the in-process reader instead, so the search
// is guided through our reading code; crashes inside the Access library are then expected and
// are run with -fork=1 -ignore_crashes=1 and sorted by their stacks.
#include "fuzz/harness.h"
#include "refdata/access_reference_database.h"
#include "refdata/database_builder.h"
#include "refdata/open_database.h"

#include <cstdint>
#include <cstdlib>
#include <functional>
#include <memory>
#include <string>

namespace {

// Runs one operation; a DatabaseError must name the file, anything else escapes and crashes.
bool attempt(const std::filesystem::path& file, const std::function<void()>& operation) {
    try {
        operation();
        return true;
    } catch (const refdata::DatabaseError& error) {
        const std::string message = error.what();
        FUZZ_CHECK(message.rfind("Banco de dados " + file.string() + ": ", 0) == 0,
                   "a database failure names the file");
        FUZZ_CHECK(message.find_first_of(std::string("\0\r\n", 3)) == std::string::npos,
                   "the message is one line, whatever the file holds");
        return false;
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto file = zebfuzz::writeTempFile(
        "access.mdb", std::string_view(reinterpret_cast<const char*>(data), size));
    static const bool inProcess = std::getenv("ZEB_FUZZ_ACCESS_IN_PROCESS") != nullptr;
    std::unique_ptr<refdata::ReferenceDatabase> database;
    if (!attempt(file, [&] {
            if (inProcess) {
                database = std::make_unique<refdata::AccessReferenceDatabase>(file);
            } else {
                database = refdata::openReferenceDatabase(file);
            }
        })) {
        return 0;
    }
    std::string stationName = "Posto";
    std::string landClass = "Mata";
    attempt(file, [&] {
        const auto stations = database->allStations();
        if (!stations.empty()) {
            stationName = stations.front().nome;
        }
    });
    attempt(file, [&] {
        const auto classes = database->allLandClasses();
        if (!classes.empty()) {
            landClass = classes.back();
        }
    });
    attempt(file, [&] { database->landClassesOfZone("Rural"); });
    attempt(file, [&] { database->landClassesOfZone("Urbana"); });
    attempt(file, [&] { database->findStationByName(stationName); });
    attempt(file, [&] { database->findCurveNumber(landClass); });
    if (inProcess) {
        attempt(file,
                [&] { static_cast<refdata::AccessReferenceDatabase&>(*database).readAllTables(); });
    } else {
        const auto out = zebfuzz::writeTempFile("converted.sqlite", "");
        attempt(file, [&] { refdata::convertAccessToSqlite(out, file); });
    }
    return 0;
}
