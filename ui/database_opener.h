#pragma once

#include "ui/frmzeb.h"

#include <filesystem>

namespace ui {

// Opens the program's reference database: the first of zeb.mdb and zeb.sqlite found in the
// program's folder, then in the installed data folder beside it.
DatabaseOpener programDatabaseOpener(const std::filesystem::path& programDir);

} // namespace ui
