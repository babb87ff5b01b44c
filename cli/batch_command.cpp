#include "cli/batch.h"

#include "cli/exit_codes.h"
#include "cli/options.h"
#include "cli/output_guard.h"
#include "cli/station_source.h"
#include "refdata/station_by_code.h"
#include "util/output_file.h"
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
                     const std::optional<std::filesystem::path>& programFolder,
                     const std::optional<std::string>& outputPath)
        : m_databasePath(databasePath), m_programFolder(programFolder), m_outputPath(outputPath) {}

    // Set when the database opened is the batch's own output: the batch stops, exit 2.
    const std::optional<CommandFailure>& refusal() const { return m_refusal; }

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
            // The database found by default is known only now.
            if (m_outputPath) {
                m_refusal = outputOverInput("--output", *m_outputPath,
                                            {{m_database->path(), "o próprio banco de dados"}});
            }
        }
        if (m_refusal) {
            return {std::nullopt, "", m_refusal->message};
        }
        const auto found = lookup(*m_database);
        if (const auto* error = std::get_if<refdata::DatabaseError>(&found)) {
            return {std::nullopt, "", error->message};
        }
        const auto& station = std::get<std::optional<calc::Station>>(found);
        if (!station) {
            return {std::nullopt, notFound, ""};
        }
        return {station->rainfall, "", ""};
    }

    std::optional<std::string> m_databasePath;
    std::optional<std::filesystem::path> m_programFolder;
    std::optional<std::string> m_outputPath;
    std::unique_ptr<refdata::ReferenceDatabase> m_database;
    std::optional<CommandFailure> m_refusal;
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
    const std::string named = "o arquivo de bacias \"" + util::visible(input.string()) + "\"";
    std::error_code error;
    const auto status = std::filesystem::status(input, error);
    if (!std::filesystem::exists(status)) {
        return {kExitUsage, named + " não existe."};
    }
    // A pipe or a device could block the command or never end.
    if (!std::filesystem::is_regular_file(status)) {
        return {kExitUsage, named + " não é um arquivo comum."};
    }
    if (request.outputPath) {
        std::vector<ReadFile> inputs = {{input, "o próprio arquivo de bacias"}};
        if (request.databasePath) {
            inputs.push_back({*request.databasePath, "o próprio banco de dados"});
        }
        if (const auto refusal = outputOverInput("--output", *request.outputPath, inputs)) {
            return {refusal->exitCode, refusal->message};
        }
    }
    std::ifstream in(input, std::ios::binary);
    if (!in) {
        return {kExitUsage,
                "não foi possível ler " + named + ": " + util::systemErrorText(errno) + "."};
    }
    DatabaseStations stations(request.databasePath, programFolder, request.outputPath);
    if (!request.outputPath) {
        BatchOutcome outcome = runBatch(in, out, stations, request.jobs);
        if (outcome.exitCode == kExitOutputFailed) {
            outcome.message = "não foi possível escrever na saída padrão.";
        }
        return outcome;
    }

    auto opened = util::OutputFile::open(*request.outputPath);
    if (const auto* reason = std::get_if<std::string>(&opened)) {
        return {kExitOutputFailed, *reason};
    }
    util::OutputFile& file = *std::get<std::unique_ptr<util::OutputFile>>(opened);
    BatchOutcome outcome = runBatch(in, file.stream(), stations, request.jobs);
    if (stations.refusal()) {
        return {stations.refusal()->exitCode, stations.refusal()->message};
    }
    if (!batchRanThrough(outcome) && outcome.exitCode != kExitOutputFailed) {
        return outcome;
    }
    if (const auto reason = file.commit()) {
        return {kExitOutputFailed, *reason};
    }
    return outcome;
}

} // namespace cli
