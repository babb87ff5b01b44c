#include "cli/station_source.h"

#include "cli/exit_codes.h"
#include "refdata/database_message.h"
#include "refdata/open_database.h"
#include "refdata/station_by_code.h"
#include "refdata/user_stations.h"

#include <algorithm>

namespace cli {

namespace {

CommandFailure lookupFailure(const refdata::ReferenceDatabase& database,
                             const std::string& problem) {
    return {kExitDatabase, refdata::databaseMessage(database.path(), problem)};
}

std::variant<ChosenStation, CommandFailure> byName(refdata::ReferenceDatabase& database,
                                                   const std::string& name) {
    const auto found = database.findStationByName(name);
    if (const auto* error = std::get_if<refdata::DatabaseError>(&found)) {
        return databaseFailure(*error);
    }
    const auto& station = std::get<std::optional<calc::Station>>(found);
    if (!station) {
        return lookupFailure(database, "não há posto com o nome " + refdata::inQuotes(name));
    }
    return ChosenStation{*station, {}, {}};
}

std::variant<ChosenStation, CommandFailure> byCode(refdata::ReferenceDatabase& database,
                                                   const std::string& code) {
    const auto found = refdata::findStationByCode(database, code);
    if (const auto* error = std::get_if<refdata::DatabaseError>(&found)) {
        return databaseFailure(*error);
    }
    const auto& station = std::get<std::optional<calc::Station>>(found);
    if (!station) {
        // Only on this failing path is the list read again, to say which of the two it is.
        const auto stations = database.allStations();
        const auto* list = std::get_if<std::vector<calc::Station>>(&stations);
        const bool listed =
            list && std::ranges::find(*list, code, &calc::Station::code) != list->end();
        return lookupFailure(
            database, listed ? "o posto de código " + refdata::inQuotes(code) +
                                   " tem o nome vazio, e a janela não consulta um posto sem nome"
                             : "não há posto com o código " + refdata::inQuotes(code));
    }
    ChosenStation chosen{*station, {}, {}};
    // The window looks the code's name up, so a shared name answers with its first row.
    if (station->code != code) {
        chosen.warning = "aviso: o código " + refdata::inQuotes(code) + " tem o nome " +
                         refdata::inQuotes(station->name) +
                         ", que no banco pertence primeiro ao posto de código " +
                         refdata::inQuotes(station->code) + " (" + station->state +
                         "); como na janela, são usadas as constantes desse posto.";
    }
    return chosen;
}

} // namespace

CommandFailure databaseFailure(const refdata::DatabaseError& error) {
    return {kExitDatabase, error.message};
}

std::variant<std::unique_ptr<refdata::ReferenceDatabase>, CommandFailure>
openCommandDatabase(const std::optional<std::string>& given,
                    const std::optional<std::filesystem::path>& programFolder) {
    if (!given && !programFolder) {
        return CommandFailure{
            kExitDatabase,
            "Banco de dados não encontrado: a pasta do programa não pôde ser determinada "
            "(/proc/self/exe); indique o banco com --database."};
    }
    auto opened = given ? refdata::openReferenceDatabase(*given)
                        : refdata::openProgramDatabase(*programFolder, refdata::userDatabasePath());
    if (const auto* error = std::get_if<refdata::DatabaseError>(&opened)) {
        return databaseFailure(*error);
    }
    return std::move(std::get<std::unique_ptr<refdata::ReferenceDatabase>>(opened));
}

std::variant<ChosenStation, CommandFailure>
chooseStation(const CommandOptions& options,
              const std::optional<std::filesystem::path>& programFolder) {
    if (options.constantsSource == ConstantsSource::StationConstants) {
        return ChosenStation{{{}, {}, {}, options.stationConstants}, {}, {}};
    }
    auto opened = openCommandDatabase(options.databasePath, programFolder);
    if (auto* stop = std::get_if<CommandFailure>(&opened)) {
        return *stop;
    }
    auto& database = *std::get<std::unique_ptr<refdata::ReferenceDatabase>>(opened);
    auto chosen = options.constantsSource == ConstantsSource::StationCode
                      ? byCode(database, options.stationCode)
                      : byName(database, options.stationName);
    if (auto* station = std::get_if<ChosenStation>(&chosen)) {
        station->database = database.path();
    }
    return chosen;
}

} // namespace cli
