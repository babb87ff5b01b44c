#include "cli/database_commands.h"

#include "cli/database_location.h"
#include "cli/exit_codes.h"
#include "refdata/database_builder.h"
#include "refdata/open_database.h"

#include <system_error>
#include <vector>

namespace cli {

namespace {

std::string linesOf(const std::vector<std::string>& items) {
    std::string text;
    for (const std::string& item : items) {
        text += item + '\n';
    }
    return text;
}

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

} // namespace

std::variant<std::string, CommandFailure>
listReferenceData(const ListRequest& request,
                  const std::optional<std::filesystem::path>& programFolder) {
    try {
        const auto database =
            refdata::openReferenceDatabase(chosenDatabase(request.databasePath, programFolder));
        if (request.kind == ListKind::Stations) {
            std::string text;
            for (const auto& station : database->allStations()) {
                text += station.codigo + '\t' + station.nome + '\t' + station.estado + '\n';
            }
            return text;
        }
        return linesOf(request.zone ? database->landClassesOfZone(*request.zone)
                                    : database->allLandClasses());
    } catch (const refdata::DatabaseError& error) {
        return CommandFailure{kExitDatabase, error.what()};
    }
}

std::variant<std::string, CommandFailure>
buildReferenceDatabase(const BuildDatabaseRequest& request) {
    const std::filesystem::path out = request.outputPath;
    if (const auto input = inputThatIsTheOutput(request)) {
        return CommandFailure{kExitDatabase,
                              "Arquivo " + out.string() + ": é o próprio arquivo de entrada " +
                                  input->string() + "; dê outro nome ao banco a criar."};
    }
    try {
        if (request.accessPath) {
            refdata::convertAccessToSqlite(out, *request.accessPath);
        } else {
            refdata::buildDatabaseFromCsv(out, request.stationsCsv, request.curveNumbersCsv);
        }
        // Read back what was written, so the confirmation counts what a lookup will see.
        const auto built = refdata::openReferenceDatabase(out);
        return "Banco de dados " + out.string() +
               " gravado: " + counted(built->allStations().size(), "posto", "postos") + ", " +
               counted(built->allLandClasses().size(), "classe de terreno", "classes de terreno") +
               ".\n";
    } catch (const refdata::DatabaseError& error) {
        return CommandFailure{kExitDatabase, error.what()};
    }
}

} // namespace cli
