#include "cli/station_source.h"

#include "cli/database_location.h"
#include "cli/exit_codes.h"
#include "refdata/database_message.h"
#include "refdata/open_database.h"
#include "refdata/station_by_code.h"

#include <algorithm>

namespace cli {

namespace {

CommandFailure lookupFailure(const refdata::ReferenceDatabase& database,
                             const std::string& problem) {
    return {kExitDatabase, refdata::databaseError(database.path(), problem).what()};
}

std::variant<ChosenStation, CommandFailure> byName(refdata::ReferenceDatabase& database,
                                                   const std::string& name) {
    const auto found = database.findStationByName(name);
    if (!found) {
        return lookupFailure(database, "não há posto com o nome " + refdata::inQuotes(name));
    }
    return ChosenStation{found->coefficients, found->nome, {}};
}

std::variant<ChosenStation, CommandFailure> byCode(refdata::ReferenceDatabase& database,
                                                   const std::string& code) {
    const auto found = refdata::findStationByCode(database, code);
    if (!found) {
        // Only on this failing path is the list read again, to say which of the two it is.
        const auto stations = database.allStations();
        const bool listed =
            std::ranges::any_of(stations, [&code](const refdata::StationListItem& item) {
                return item.codigo == code;
            });
        return lookupFailure(
            database, listed ? "o posto de código " + refdata::inQuotes(code) +
                                   " tem o nome vazio, e a janela não consulta um posto sem nome"
                             : "não há posto com o código " + refdata::inQuotes(code));
    }
    ChosenStation chosen{found->coefficients, found->nome, {}};
    // The window looks the code's name up, so a shared name answers with its first row.
    if (found->codigo != code) {
        chosen.warning = "aviso: o código " + refdata::inQuotes(code) + " tem o nome " +
                         refdata::inQuotes(found->nome) +
                         ", que no banco pertence primeiro ao posto de código " +
                         refdata::inQuotes(found->codigo) + " (" + found->estado +
                         "); como na janela, são usadas as constantes desse posto.";
    }
    return chosen;
}

} // namespace

std::variant<ChosenStation, CommandFailure>
chooseStation(const CommandOptions& options,
              const std::optional<std::filesystem::path>& programFolder) {
    if (options.constantsSource == ConstantsSource::StationConstants) {
        const auto& v = options.stationConstants;
        return ChosenStation{{v[0], v[1], v[2], v[3], v[4], v[5], v[6]}, std::nullopt, {}};
    }
    try {
        const auto database =
            refdata::openReferenceDatabase(chosenDatabase(options.databasePath, programFolder));
        if (options.constantsSource == ConstantsSource::StationCode) {
            return byCode(*database, options.stationCode);
        }
        return byName(*database, options.stationName);
    } catch (const refdata::DatabaseError& error) {
        return CommandFailure{kExitDatabase, error.what()};
    }
}

} // namespace cli
