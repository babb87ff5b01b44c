#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace cli {

// The folder of the running program, from /proc/self/exe; none when the link cannot be read.
std::optional<std::filesystem::path> runningProgramFolder();

// The reference database a command opens: the file given with --database, or else the
// program's search order from its own folder. Throws refdata::DatabaseError when there is
// none to open.
std::filesystem::path chosenDatabase(const std::optional<std::string>& given,
                                     const std::optional<std::filesystem::path>& programFolder);

} // namespace cli
