#include "cli/batch.h"

#include "cli/exit_codes.h"
#include "cli/options.h"
#include "cli/station_source.h"
#include "refdata/station_by_code.h"
#include "util/file_replacement.h"
#include "util/system_error.h"
#include "util/text.h"

#include <cerrno>
#include <fstream>
#include <memory>

namespace cli {

namespace {

// The stations of the program's reference database, or of --database, opened at the first
// row that names one.
class DatabaseStations : public BatchStations {
public:
    DatabaseStations(const std::optional<std::string>& databasePath,
                     const std::optional<std::filesystem::path>& programFolder)
        : m_databasePath(databasePath), m_programFolder(programFolder) {}

    Answer byName(const std::string& name) override {
        return answer(
            [&](refdata::ReferenceDatabase& database) { return database.findStationByName(name); },
            "não há posto com o nome " + util::inQuotes(name) + " no banco");
    }

    Answer byCode(const std::string& code) override {
        return answer(
            [&](refdata::ReferenceDatabase& database) {
                return refdata::findStationByCode(database, code);
            },
            "não há posto com o código " + util::inQuotes(code) + " no banco");
    }

private:
    template <typename Lookup> Answer answer(Lookup lookup, const std::string& notFound) {
        if (!m_database) {
            auto opened = openCommandDatabase(m_databasePath, m_programFolder);
            if (const auto* stop = std::get_if<CommandFailure>(&opened)) {
                return {std::nullopt, "", stop->message};
            }
            m_database = std::move(std::get<std::unique_ptr<refdata::ReferenceDatabase>>(opened));
        }
        const auto found = lookup(*m_database);
        if (const auto* error = std::get_if<refdata::DatabaseError>(&found)) {
            return {std::nullopt, "", error->message};
        }
        const auto& station = std::get<std::optional<refdata::StationRecord>>(found);
        if (!station) {
            return {std::nullopt, notFound, ""};
        }
        return {station->coefficients, "", ""};
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
