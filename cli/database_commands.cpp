#include "cli/database_commands.h"

#include "cli/output_guard.h"
#include "refdata/database_builder.h"
#include "refdata/open_database.h"
#include "util/text.h"

#include <vector>

namespace cli {

namespace {

std::string counted(std::size_t count, const char* one, const char* many) {
    return std::to_string(count) + " " + (count == 1 ? one : many);
}

// The list's text, one item a line, or why there is none. Texts from the file are shown as
// messages show them: a line break in a name must not split the list, nor an escape sequence
// reach the terminal.
template <typename Items, typename Line>
std::variant<std::string, CommandFailure> listed(const refdata::Result<Items>& items, Line line) {
    if (const auto* error = std::get_if<refdata::DatabaseError>(&items)) {
        return databaseFailure(*error);
    }
    std::string text;
    for (const auto& item : std::get<Items>(items)) {
        text += line(item) + '\n';
    }
    return text;
}

} // namespace

std::variant<std::string, CommandFailure>
listReferenceData(const ListRequest& request,
                  const std::optional<std::filesystem::path>& programFolder) {
    auto opened = openCommandDatabase(request.databasePath, programFolder);
    if (auto* stop = std::get_if<CommandFailure>(&opened)) {
        return *stop;
    }
    auto& database = *std::get<std::unique_ptr<refdata::ReferenceDatabase>>(opened);
    if (request.kind == ListKind::Stations) {
        return listed(database.allStations(), [](const calc::Station& station) {
            return util::printable(station.code) + '\t' + util::printable(station.name) + '\t' +
                   util::printable(station.state);
        });
    }
    return listed(request.zone ? database.landClassesOfZone(*request.zone)
                               : database.allLandClasses(),
                  util::printable);
}

std::variant<std::string, CommandFailure>
buildReferenceDatabase(const BuildDatabaseRequest& request) {
    const std::filesystem::path out = request.outputPath;
    std::vector<ReadFile> inputs;
    if (request.accessPath) {
        inputs.push_back({*request.accessPath, "o próprio banco do Access"});
    } else {
        inputs.push_back({request.stationsCsv, "o próprio arquivo de postos"});
        inputs.push_back({request.curveNumbersCsv, "o próprio arquivo de CN"});
    }
    if (auto refusal = outputOverInput("--build-database", out, inputs)) {
        return *refusal;
    }
    std::vector<std::string> warnings;
    const auto failure = request.accessPath
                             ? refdata::convertAccessToSqlite(out, *request.accessPath)
                             : refdata::buildDatabaseFromCsv(out, request.stationsCsv,
                                                             request.curveNumbersCsv, &warnings);
    if (failure) {
        return databaseFailure(*failure);
    }
    // Read back what was written, so the confirmation counts what a lookup will see.
    auto opened = refdata::openReferenceDatabase(out);
    if (const auto* error = std::get_if<refdata::DatabaseError>(&opened)) {
        return databaseFailure(*error);
    }
    auto& built = *std::get<std::unique_ptr<refdata::ReferenceDatabase>>(opened);
    const auto stations = built.allStations();
    const auto landClasses = built.allLandClasses();
    for (const auto* error : {std::get_if<refdata::DatabaseError>(&stations),
                              std::get_if<refdata::DatabaseError>(&landClasses)}) {
        if (error) {
            return databaseFailure(*error);
        }
    }
    std::string text =
        "Banco de dados " + util::visible(out.string()) +
        " gravado: " + counted(std::get<0>(stations).size(), "posto", "postos") + ", " +
        counted(std::get<0>(landClasses).size(), "classe de terreno", "classes de terreno") + ".\n";
    for (const std::string& warning : warnings) {
        text += "Aviso: " + warning + ".\n";
    }
    return text;
}

} // namespace cli
