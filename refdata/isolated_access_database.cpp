#include "refdata/isolated_access_database.h"

#include "refdata/access_reference_database.h"
#include "refdata/database_message.h"
#include "refdata/wire_format.h"

#include <memory>

namespace refdata {

namespace {

// A request is one operation letter and its text argument.
enum Operation : char {
    kAllStations = 's',
    kAllLandClasses = 'l',
    kLandClassesOfZone = 'z',
    kStationByName = 'n',
    kCurveNumber = 'c',
    kAllTables = 't',
};

// Runs in the child: the file opened by the in-process reader, each request answered by it.
ChildProcessReader::Server openInChild(const std::filesystem::path& file) {
    auto database = std::make_shared<AccessReferenceDatabase>(file);
    return [database](std::string_view request) {
        const std::string_view argument = request.substr(1);
        WireWriter out;
        switch (request.at(0)) {
        case kAllStations:
            out.stationList(database->allStations());
            break;
        case kAllLandClasses:
            out.texts(database->allLandClasses());
            break;
        case kLandClassesOfZone:
            out.texts(database->landClassesOfZone(argument));
            break;
        case kStationByName:
            out.optionalStation(database->findStationByName(argument));
            break;
        case kCurveNumber:
            out.optionalNumber(database->findCurveNumber(argument));
            break;
        case kAllTables:
            out.tables(database->readAllTables());
            break;
        }
        return out.bytes();
    };
}

} // namespace

IsolatedAccessDatabase::IsolatedAccessDatabase(std::filesystem::path file,
                                               std::chrono::milliseconds timeout,
                                               std::size_t memoryLimit)
    : m_path(std::move(file)),
      m_reader(
          m_path, [file = m_path] { return openInChild(file); }, timeout, memoryLimit) {}

std::string IsolatedAccessDatabase::call(char operation, std::string_view argument) {
    return m_reader.request(std::string(1, operation) + std::string(argument));
}

// Decodes an answer; one that does not decode is a fault of the reading, reported as such.
template <typename Decode>
auto decoded(const std::filesystem::path& file, const std::string& bytes, Decode&& decode) {
    try {
        WireReader in(bytes);
        auto value = decode(in);
        in.finish();
        return value;
    } catch (const WireError&) {
        throw corruptDatabase(file, "a resposta da leitura veio incompleta");
    }
}

std::vector<StationListItem> IsolatedAccessDatabase::allStations() {
    return decoded(m_path, call(kAllStations), [](WireReader& in) { return in.stationList(); });
}

std::vector<std::string> IsolatedAccessDatabase::allLandClasses() {
    return decoded(m_path, call(kAllLandClasses), [](WireReader& in) { return in.texts(); });
}

std::vector<std::string> IsolatedAccessDatabase::landClassesOfZone(std::string_view zone) {
    return decoded(m_path, call(kLandClassesOfZone, zone),
                   [](WireReader& in) { return in.texts(); });
}

std::optional<StationRecord> IsolatedAccessDatabase::findStationByName(std::string_view name) {
    return decoded(m_path, call(kStationByName, name),
                   [](WireReader& in) { return in.optionalStation(); });
}

std::optional<double> IsolatedAccessDatabase::findCurveNumber(std::string_view landClass) {
    return decoded(m_path, call(kCurveNumber, landClass),
                   [](WireReader& in) { return in.optionalNumber(); });
}

ReferenceTables IsolatedAccessDatabase::readAllTables() {
    return decoded(m_path, call(kAllTables), [](WireReader& in) { return in.tables(); });
}

} // namespace refdata
