#include "cli/station_source.h"

#include "cli/exit_codes.h"

namespace cli {

std::variant<calc::StationCoefficients, CommandFailure>
stationCoefficients(const CommandOptions& options) {
    if (options.constantsSource == ConstantsSource::StationConstants) {
        const auto& v = options.stationConstants;
        return calc::StationCoefficients{v[0], v[1], v[2], v[3], v[4], v[5], v[6]};
    }
    // --station and --code read the reference database, which this command does not open yet.
    return CommandFailure{kExitUsage, "as opções do banco de referência (--station, --code, "
                                      "--database) ainda não estão disponíveis; dê as "
                                      "constantes com --station-constants."};
}

} // namespace cli
