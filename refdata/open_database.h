#pragma once

#include "refdata/reference_database.h"

#include <filesystem>
#include <memory>

namespace refdata {

// Opens an SQLite or Access reference database, recognised by its first bytes whatever its
// name. Throws DatabaseError naming the file: missing, unreadable, of neither format, or
// damaged.
std::unique_ptr<ReferenceDatabase> openReferenceDatabase(const std::filesystem::path& file);

// The database the program uses: the first that exists of zeb.mdb and zeb.sqlite in the
// program's folder, then the same two in the installed data folder. None: DatabaseError
// naming the four places.
std::filesystem::path locateDatabase(const std::filesystem::path& programDir,
                                     const std::filesystem::path& installedDataDir);

// Where an installed program's shipped data lies, relative to the program's folder
// (bin/ → share/zeb/).
std::filesystem::path installedDataDir(const std::filesystem::path& programDir);

} // namespace refdata
