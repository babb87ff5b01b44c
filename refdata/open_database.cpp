#include "refdata/open_database.h"

#include "refdata/access/access_file_check.h"
#include "refdata/access/isolated_access_source.h"
#include "refdata/database_message.h"
#include "refdata/sqlite/sqlite_source.h"
#include "refdata/table_database.h"
#include "util/path_text.h"
#include "util/system_error.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <fstream>
#include <string_view>
#include <system_error>
#include <vector>

namespace refdata {

namespace {

constexpr std::size_t kHeaderSize = 20;

bool hasSqliteSignature(const std::array<unsigned char, kHeaderSize>& bytes) {
    constexpr std::string_view signature{"SQLite format 3\0", 16};
    return std::equal(signature.begin(), signature.end(), bytes.begin(),
                      [](char s, unsigned char b) { return static_cast<unsigned char>(s) == b; });
}

} // namespace

std::unique_ptr<TableSource> openTableSource(const std::filesystem::path& file) {
    if (const auto problem = notARegularFile(file)) {
        throw databaseError(file, *problem);
    }
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        throw databaseError(file, "o arquivo não pôde ser aberto para leitura (" +
                                      util::systemErrorText(errno) + ")");
    }
    std::array<unsigned char, kHeaderSize> header{};
    in.read(reinterpret_cast<char*>(header.data()), header.size());
    const auto count = static_cast<std::size_t>(in.gcount());
    in.close();

    if (count == kHeaderSize && hasSqliteSignature(header)) {
        return std::make_unique<SqliteSource>(file);
    }
    if (hasAccessSignature({header.data(), count})) {
        // Read in a child process: a damaged file may crash the Access library.
        return std::make_unique<IsolatedAccessSource>(file);
    }
    if (count == 0) {
        throw databaseError(file, "o arquivo está vazio");
    }
    throw databaseError(file, "o arquivo não é um banco de dados SQLite nem Access");
}

namespace {

std::filesystem::path
locateProgramDatabase(const std::filesystem::path& programDir,
                      const std::optional<std::filesystem::path>& userDatabase) {
    const auto dataDir = installedDataDir(programDir);
    std::vector<std::filesystem::path> candidates = {programDir / "zeb.mdb",
                                                     programDir / "zeb.sqlite"};
    // Installed under the user's own prefix, the shipped database is the user's path: it then
    // keeps its place after the data folder's zeb.mdb.
    if (userDatabase && userDatabase->lexically_normal() != dataDir / "zeb.sqlite") {
        candidates.push_back(*userDatabase);
    }
    candidates.insert(candidates.end(), {dataDir / "zeb.mdb", dataDir / "zeb.sqlite"});
    std::string places;
    for (const auto& candidate : candidates) {
        // Whatever stands there is chosen, a folder or a broken link too, and reported.
        std::error_code error;
        if (std::filesystem::exists(std::filesystem::symlink_status(candidate, error))) {
            return candidate;
        }
        places += (places.empty() ? "" : ", ") + util::utf8FromPath(candidate);
    }
    throw DatabaseFailure("Banco de dados não encontrado. Procurado em: " + places + ".");
}

} // namespace

util::Result<std::unique_ptr<ReferenceDatabase>>
openReferenceDatabase(const std::filesystem::path& file) {
    return answerOf([&]() -> std::unique_ptr<ReferenceDatabase> {
        return std::make_unique<TableDatabase>(openTableSource(file));
    });
}

util::Result<std::unique_ptr<ReferenceDatabase>>
openProgramDatabase(const std::filesystem::path& programDir,
                    const std::optional<std::filesystem::path>& userDatabase) {
    return answerOf([&]() -> std::unique_ptr<ReferenceDatabase> {
        return std::make_unique<TableDatabase>(
            openTableSource(locateProgramDatabase(programDir, userDatabase)));
    });
}

std::filesystem::path installedDataDir(const std::filesystem::path& programDir) {
    return (programDir / ZEB_BIN_TO_DATADIR).lexically_normal();
}

} // namespace refdata
