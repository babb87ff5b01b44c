#include "cli/database_commands.h"

#include "cli/exit_codes.h"
#include "refdata/database_builder.h"
#include "refdata/open_database.h"
#include "util/text.h"

#include <system_error>
#include <vector>

namespace cli {

namespace {

std::string counted(std::size_t count, const char* one, const char* many) {
    return std::to_string(count) + " " + (count == 1 ? one : many);
}

// Writing the new database over one of its own inputs would destroy that input.
std::optional<std::filesystem::path> inputThatIsTheOutput(const BuildDatabaseRequest& request) {
    std::vector<std::filesystem::path> inputs;
    if (request.accessPath) {
        inputs.emplace_back(*request.accessPath);
    } else {
        inputs.emplace_back(request.stationsCsv);
        inputs.emplace_back(request.curveNumbersCsv);
    }
    for (const auto& input : inputs) {
        std::error_code error; // false, without an error, when either file is missing
        if (std::filesystem::equivalent(request.outputPath, input, error)) {
            return input;
        }
    }
    return std::nullopt;
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
        return listed(database.allStations(), [](const refdata::StationListItem& station) {
            return util::printable(station.codigo) + '\t' + util::printable(station.nome) + '\t' +
                   util::printable(station.estado);
        });
    }
    return listed(request.zone ? database.landClassesOfZone(*request.zone)
                               : database.allLandClasses(),
                  util::printable);
}

std::variant<std::string, CommandFailure>
buildReferenceDatabase(const BuildDatabaseRequest& request) {
    const std::filesystem::path out = request.outputPath;
    if (const auto input = inputThatIsTheOutput(request)) {
        return CommandFailure{kExitDatabase,
                              "Arquivo " + out.string() + ": é o próprio arquivo de entrada " +
                                  input->string() + "; dê outro nome ao banco a criar."};
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
        "Banco de dados " + out.string() +
        " gravado: " + counted(std::get<0>(stations).size(), "posto", "postos") + ", " +
        counted(std::get<0>(landClasses).size(), "classe de terreno", "classes de terreno") + ".\n";
    for (const std::string& warning : warnings) {
        text += "Aviso: " + warning + ".\n";
    }
    return text;
}

} // namespace cli
