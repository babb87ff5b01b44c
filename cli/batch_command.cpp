#include "cli/batch.h"

#include "cli/database_location.h"
#include "cli/exit_codes.h"
#include "cli/options.h"
#include "refdata/open_database.h"
#include "refdata/station_by_code.h"
#include "util/file_replacement.h"
#include "util/system_error.h"
#include "util/text.h"

#include <cerrno>
#include <fstream>
#include <memory>

namespace cli {

namespace {

// The stations of the program's reference database, or of --database.
class DatabaseStations : public BatchStations {
public:
    DatabaseStations(const std::optional<std::string>& databasePath,
                     const std::optional<std::filesystem::path>& programFolder)
        : m_databasePath(databasePath), m_programFolder(programFolder) {}

    Answer byName(const std::string& name) override {
        return lookUp([&](refdata::ReferenceDatabase& database) -> Answer {
            if (auto found = database.findStationByName(name)) {
                return {found->coefficients, "", ""};
            }
            return {std::nullopt, "não há posto com o nome " + util::inQuotes(name) + " no banco",
                    ""};
        });
    }

    Answer byCode(const std::string& code) override {
        return lookUp([&](refdata::ReferenceDatabase& database) -> Answer {
            if (auto found = refdata::findStationByCode(database, code)) {
                return {found->coefficients, "", ""};
            }
            return {std::nullopt, "não há posto com o código " + util::inQuotes(code) + " no banco",
                    ""};
        });
    }

private:
    template <typename Lookup> Answer lookUp(Lookup lookup) {
        try {
            if (!m_database) {
                m_database =
                    refdata::openReferenceDatabase(chosenDatabase(m_databasePath, m_programFolder));
            }
            return lookup(*m_database);
        } catch (const refdata::DatabaseError& error) {
            return {std::nullopt, "", error.what()};
        }
    }

    std::optional<std::string> m_databasePath;
    std::optional<std::filesystem::path> m_programFolder;
    std::unique_ptr<refdata::ReferenceDatabase> m_database;
};

// A batch that ran to its end is written; one that stopped leaves no output file.
bool batchRanThrough(const BatchOutcome& outcome) {
    return outcome.exitCode == kExitSuccess || outcome.exitCode == kExitUndefined;
}

} // namespace

BatchOutcome runBatchCommand(const BatchRequest& request,
                             const std::optional<std::filesystem::path>& programFolder,
                             std::ostream& out) {
    const std::filesystem::path input = request.inputPath;
    std::error_code error;
    const auto status = std::filesystem::status(input, error);
    if (!std::filesystem::exists(status)) {
        return {kExitUsage,
                "o arquivo de bacias " + util::inQuotes(input.string()) + " não existe."};
    }
    // A pipe or a device could block the command or never end.
    if (!std::filesystem::is_regular_file(status)) {
        return {kExitUsage, "o arquivo de bacias " + util::inQuotes(input.string()) +
                                " não é um arquivo comum."};
    }
    if (request.outputPath && std::filesystem::equivalent(input, *request.outputPath, error)) {
        return {kExitUsage, "--output é o próprio arquivo de bacias; dê outro nome ao resultado."};
    }
    std::ifstream in(input, std::ios::binary);
    if (!in) {
        return {kExitUsage, "não foi possível ler o arquivo de bacias " +
                                util::inQuotes(input.string()) + ": " +
                                util::systemErrorText(errno)};
    }
    DatabaseStations stations(request.databasePath, programFolder);
    if (!request.outputPath) {
        return runBatch(in, out, stations, request.jobs);
    }

    auto begun = util::FileReplacement::begin(*request.outputPath);
    if (const auto* reason = std::get_if<std::string>(&begun)) {
        return {kExitOutputFailed, "Não foi possível gravar o arquivo " +
                                       util::inQuotes(*request.outputPath) + ": " + *reason};
    }
    util::FileReplacement& replacement = std::get<util::FileReplacement>(begun);
    std::ofstream file(replacement.temporaryPath(), std::ios::binary | std::ios::trunc);
    BatchOutcome outcome = runBatch(in, file, stations, request.jobs);
    file.close();
    if (!batchRanThrough(outcome)) {
        return outcome;
    }
    if (!file) {
        return {kExitOutputFailed,
                "Não foi possível gravar o arquivo " + util::inQuotes(*request.outputPath) + "."};
    }
    if (const auto reason = replacement.commit()) {
        return {kExitOutputFailed, "Não foi possível gravar o arquivo " +
                                       util::inQuotes(*request.outputPath) + ": " + *reason};
    }
    return outcome;
}

} // namespace cli
