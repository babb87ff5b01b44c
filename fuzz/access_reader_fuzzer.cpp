// Damaged Access files (libFuzzer mutates copies of the fixtures): reading them answers or fails
// with one line naming the file; nothing crashes, hangs or throws anything else.
// ZEB_FUZZ_ACCESS_IN_PROCESS=1 reads in process, so that libFuzzer sees our reading code;
// crashes inside the Access library are then expected (run with -fork=1 -ignore_crashes=1).
#include "fuzz/harness.h"
#include "refdata/access/access_file.h"
#include "refdata/access/isolated_access_source.h"
#include "refdata/database_message.h"
#include "refdata/table_database.h"

#include <cstdint>
#include <cstdlib>

namespace {

template <typename T>
std::optional<T> checked(const std::filesystem::path& file, util::Result<T> result) {
    if (!result) {
        const util::Failure* error = &result.failure();
        FUZZ_CHECK(error->message.starts_with("Banco de dados " + file.string() + ": "),
                   "a database failure names the file");
        FUZZ_CHECK(error->message.find_first_of(std::string("\0\r\n", 3)) == std::string::npos,
                   "the message is one line, whatever the file holds");
        return std::nullopt;
    }
    return std::move(*result);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto file =
        zebfuzz::writeTempFile("access.mdb", {reinterpret_cast<const char*>(data), size});
    static const bool inProcess = std::getenv("ZEB_FUZZ_ACCESS_IN_PROCESS") != nullptr;
    auto source = checked(file, refdata::answerOf([&]() -> std::unique_ptr<refdata::TableSource> {
                              if (inProcess) {
                                  return std::make_unique<refdata::AccessFile>(file);
                              }
                              return std::make_unique<refdata::IsolatedAccessSource>(file);
                          }));
    if (!source) {
        return 0;
    }
    checked(file, refdata::answerOf([&] { return readReferenceTables(**source).stations.size(); }));
    refdata::TableDatabase db(std::move(*source));
    const auto stations = checked(file, db.allStations());
    const auto classes = checked(file, db.allLandClasses());
    checked(file, db.landClassesOfZone("Rural"));
    checked(file,
            db.findStationByName(stations && !stations->empty() ? stations->front().name : ""));
    checked(file, db.findCurveNumber(classes && !classes->empty() ? classes->back() : ""));
    return 0;
}
