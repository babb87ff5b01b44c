#include "cli/station_source.h"

#include "cli/system.h"
#include "refdata/open_database.h"
#include "refdata/station_by_code.h"
#include "refdata/user_stations.h"
#include "util/path_text.h"
#include "util/text.h"

#include <algorithm>

namespace cli {

namespace {

using util::inQuotes;

util::Failure lookupFailure(const refdata::ReferenceDatabase& database,
                            const std::string& problem) {
    return {util::Failure::Kind::Database, refdata::databaseMessage(database.path(), problem)};
}

util::Result<ChosenStation> byName(refdata::ReferenceDatabase& database, const std::string& name) {
    const auto found = database.findStationByName(name);
    if (!found) {
        return found.failure();
    }
    const auto& station = *found;
    if (!station) {
        return lookupFailure(database, "não há posto com o nome " + inQuotes(name));
    }
    return ChosenStation{*station, {}, {}};
}

util::Result<ChosenStation> byCode(refdata::ReferenceDatabase& database, const std::string& code) {
    const auto found = refdata::findStationByCode(database, code);
    if (!found) {
        return found.failure();
    }
    const auto& station = *found;
    if (!station) {
        // Only on this failing path is the list read again, to say which of the two it is.
        const auto list = database.allStations();
        const bool listed =
            list && std::ranges::find(*list, code, &calc::Station::code) != list->end();
        return lookupFailure(
            database, listed ? "o posto de código " + inQuotes(code) +
                                   " tem o nome vazio, e a janela não consulta um posto sem nome"
                             : "não há posto com o código " + inQuotes(code));
    }
    ChosenStation chosen{*station, {}, {}};
    // The window looks the code's name up, so a shared name answers with its first row.
    if (station->code != code) {
        chosen.warning =
            "aviso: o código " + inQuotes(code) + " tem o nome " + inQuotes(station->name) +
            ", que no banco pertence primeiro ao posto de código " + inQuotes(station->code) +
            " (" + station->state + "); como na janela, são usadas as constantes desse posto.";
    }
    return chosen;
}

} // namespace

util::Result<std::unique_ptr<refdata::ReferenceDatabase>>
openCommandDatabase(const std::optional<std::string>& given,
                    const std::optional<std::filesystem::path>& programFolder) {
    if (!given && !programFolder) {
        return util::Failure{
            util::Failure::Kind::Database,
            "Banco de dados não encontrado: a pasta do programa não pôde ser determinada (" +
                std::string(system::kProgramPathSource) + "); indique o banco com --database."};
    }
    return given ? refdata::openReferenceDatabase(util::pathFromUtf8(*given))
                 : refdata::openProgramDatabase(*programFolder, refdata::userDatabasePath());
}

util::Result<ChosenStation>
chooseStation(const CommandOptions& options,
              const std::optional<std::filesystem::path>& programFolder) {
    if (options.constantsSource == ConstantsSource::StationConstants) {
        return ChosenStation{{{}, {}, {}, options.stationConstants}, {}, {}};
    }
    auto opened = openCommandDatabase(options.databasePath, programFolder);
    if (!opened) {
        return opened.failure();
    }
    refdata::ReferenceDatabase& database = **opened;
    auto chosen = options.constantsSource == ConstantsSource::StationCode
                      ? byCode(database, options.stationCode)
                      : byName(database, options.stationName);
    if (chosen) {
        chosen->database = database.path();
    }
    return chosen;
}

} // namespace cli
