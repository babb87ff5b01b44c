#include "cli/batch.h"

#include "cli/options.h"
#include "cli/output_guard.h"
#include "cli/station_source.h"
#include "refdata/station_by_code.h"
#include "util/output_file.h"
#include "util/path_text.h"
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
    const std::optional<util::Failure>& refusal() const { return m_refusal; }

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
            if (!opened) {
                return opened.failure();
            }
            m_database = std::move(*opened);
            // The database found by default is known only now.
            if (m_outputPath) {
                m_refusal = outputOverInput("--output", util::pathFromUtf8(*m_outputPath),
                                            {{m_database->path(), "o próprio banco de dados"}});
            }
        }
        if (m_refusal) {
            // Stops the batch as a database failure would; the command then reports the
            // refusal itself.
            return util::Failure{util::Failure::Kind::Database, m_refusal->message};
        }
        const auto found = lookup(*m_database);
        if (!found) {
            return found.failure();
        }
        const std::optional<calc::Station>& station = *found;
        if (!station) {
            return util::Failure{util::Failure::Kind::InvalidInput, notFound};
        }
        return station->rainfall;
    }

    std::optional<std::string> m_databasePath;
    std::optional<std::filesystem::path> m_programFolder;
    std::optional<std::string> m_outputPath;
    std::unique_ptr<refdata::ReferenceDatabase> m_database;
    std::optional<util::Failure> m_refusal;
};

util::Failure refused(std::string message) {
    return util::Failure{util::Failure::Kind::InvalidInput, std::move(message)};
}

// Why the batch may not start: its basins' file is no file to read, or its output is one of
// the files it reads.
std::optional<util::Failure> refusedFiles(const BatchRequest& request, const std::string& named) {
    std::error_code error;
    const auto status = std::filesystem::status(util::pathFromUtf8(request.inputPath), error);
    if (!std::filesystem::exists(status)) {
        return refused(named + " não existe.");
    }
    // A pipe or a device could block the command or never end.
    if (!std::filesystem::is_regular_file(status)) {
        return refused(named + " não é um arquivo comum.");
    }
    if (!request.outputPath) {
        return std::nullopt;
    }
    std::vector<ReadFile> inputs = {
        {util::pathFromUtf8(request.inputPath), "o próprio arquivo de bacias"}};
    if (request.databasePath) {
        inputs.push_back({util::pathFromUtf8(*request.databasePath), "o próprio banco de dados"});
    }
    return outputOverInput("--output", util::pathFromUtf8(*request.outputPath), inputs);
}

} // namespace

util::Result<BatchRun> runBatchCommand(const BatchRequest& request,
                                       const std::optional<std::filesystem::path>& programFolder,
                                       std::ostream& out) {
    const std::filesystem::path input = util::pathFromUtf8(request.inputPath);
    const std::string named = "o arquivo de bacias \"" + util::visible(request.inputPath) + "\"";
    if (auto refusal = refusedFiles(request, named)) {
        return *refusal;
    }
    std::ifstream in(input, std::ios::binary);
    if (!in) {
        return refused("não foi possível ler " + named + ": " + util::systemErrorText(errno) + ".");
    }
    DatabaseStations stations(request.databasePath, programFolder, request.outputPath);
    if (!request.outputPath) {
        auto ran = runBatch(in, out, stations, request.jobs);
        if (!ran && ran.failure().kind == util::Failure::Kind::Output) {
            return util::Failure{util::Failure::Kind::Output,
                                 "não foi possível escrever na saída padrão."};
        }
        return ran;
    }

    auto opened = util::OutputFile::open(util::pathFromUtf8(*request.outputPath));
    if (!opened) {
        return opened.failure();
    }
    util::OutputFile& file = **opened;
    auto ran = runBatch(in, file.stream(), stations, request.jobs);
    if (stations.refusal()) {
        return *stations.refusal();
    }
    // A batch that stopped leaves no output file; one whose output failed says why.
    if (!ran && ran.failure().kind != util::Failure::Kind::Output) {
        return ran;
    }
    if (auto reason = file.commit()) {
        return *reason;
    }
    return ran;
}

} // namespace cli
