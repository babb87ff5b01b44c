#pragma once

#include "refdata/program_folder.h"
#include "refdata/reference_database.h"

#include <filesystem>
#include <memory>
#include <optional>

namespace refdata {

// Opens an SQLite or Access reference database, recognised by its first bytes whatever its
// name. The error names the file: missing, unreadable, of neither format, or damaged.
util::Result<std::unique_ptr<ReferenceDatabase>>
openReferenceDatabase(const std::filesystem::path& file);

// Opens the database the program uses: the first that exists of zeb.mdb and zeb.sqlite in the
// program's folder, then the user's own database (where the user's stations are kept), then
// the same two in the installed data folder. Anything that stands at a place but cannot be read
// (a damaged file, a folder, a broken link) is still chosen, and the error says why, instead of
// another database being used quietly. None at all: an error naming the places.
util::Result<std::unique_ptr<ReferenceDatabase>>
openProgramDatabase(const std::filesystem::path& programDir,
                    const std::optional<std::filesystem::path>& userDatabase = std::nullopt);

// Where an installed program's shipped data lies, relative to the program's folder
// (bin/ → share/zeb/).
std::filesystem::path installedDataDir(const std::filesystem::path& programDir);

} // namespace refdata
