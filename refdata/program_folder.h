#pragma once

#include <filesystem>
#include <optional>

namespace refdata {

// The folder of the running program, as the system names it (program_folder_posix.cpp,
// program_folder_windows.cpp); none when the system does not say.
std::optional<std::filesystem::path> runningProgramFolder();

} // namespace refdata
