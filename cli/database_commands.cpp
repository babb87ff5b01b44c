#include "cli/database_commands.h"

#include "cli/output_guard.h"
#include "cli/station_source.h"
#include "refdata/database_builder.h"
#include "refdata/open_database.h"
#include "util/path_text.h"
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
util::Result<std::string> listed(const util::Result<Items>& items, Line line) {
    if (!items) {
        return items.failure();
    }
    std::string text;
    for (const auto& item : *items) {
        text += line(item) + '\n';
    }
    return text;
}

// The line that confirms a built database, read back so that it counts what a lookup will
// see, and the warnings of its stations.
util::Result<std::string> confirmation(const std::filesystem::path& out,
                                       const std::vector<std::string>& warnings) {
    auto opened = refdata::openReferenceDatabase(out);
    if (!opened) {
        return opened.failure();
    }
    const auto stations = (*opened)->allStations();
    if (!stations) {
        return stations.failure();
    }
    const auto landClasses = (*opened)->allLandClasses();
    if (!landClasses) {
        return landClasses.failure();
    }
    std::string text = "Banco de dados " + util::visible(out.string()) +
                       " gravado: " + counted(stations->size(), "posto", "postos") + ", " +
                       counted(landClasses->size(), "classe de terreno", "classes de terreno") +
                       ".\n";
    for (const std::string& warning : warnings) {
        text += "Aviso: " + warning + ".\n";
    }
    return text;
}

} // namespace

util::Result<std::string>
listReferenceData(const ListRequest& request,
                  const std::optional<std::filesystem::path>& programFolder) {
    auto opened = openCommandDatabase(request.databasePath, programFolder);
    if (!opened) {
        return opened.failure();
    }
    refdata::ReferenceDatabase& database = **opened;
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

util::Result<std::string> buildReferenceDatabase(const BuildDatabaseRequest& request) {
    const std::filesystem::path out = util::pathFromUtf8(request.outputPath);
    std::vector<ReadFile> inputs;
    if (request.accessPath) {
        inputs.push_back({util::pathFromUtf8(*request.accessPath), "o próprio banco do Access"});
    } else {
        inputs.push_back({util::pathFromUtf8(request.stationsCsv), "o próprio arquivo de postos"});
        inputs.push_back({util::pathFromUtf8(request.curveNumbersCsv), "o próprio arquivo de CN"});
    }
    if (auto refusal = outputOverInput("--build-database", out, inputs)) {
        return *refusal;
    }
    std::vector<std::string> warnings;
    const auto failure =
        request.accessPath
            ? refdata::convertAccessToSqlite(out, util::pathFromUtf8(*request.accessPath))
            : refdata::buildDatabaseFromCsv(out, util::pathFromUtf8(request.stationsCsv),
                                            util::pathFromUtf8(request.curveNumbersCsv), &warnings);
    if (failure) {
        return *failure;
    }
    return confirmation(out, warnings);
}

} // namespace cli
