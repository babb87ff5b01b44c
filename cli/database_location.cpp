#include "cli/database_location.h"

#include "refdata/open_database.h"
#include "refdata/reference_database.h"

#include <system_error>

namespace cli {

std::optional<std::filesystem::path> runningProgramFolder() {
    std::error_code error;
    const auto program = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error || program.empty()) {
        return std::nullopt;
    }
    return program.parent_path();
}

std::filesystem::path chosenDatabase(const std::optional<std::string>& given,
                                     const std::optional<std::filesystem::path>& programFolder) {
    if (given) {
        return *given;
    }
    if (!programFolder) {
        throw refdata::DatabaseError(
            "Banco de dados não encontrado: a pasta do programa não pôde ser determinada "
            "(/proc/self/exe); indique o banco com --database.");
    }
    return refdata::locateDatabase(*programFolder, refdata::installedDataDir(*programFolder));
}

} // namespace cli
