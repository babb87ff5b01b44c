#pragma once

// What zeb-calc asks of the operating system, one implementation per platform
// (system_posix.cpp, system_windows.cpp).

#include "util/failure.h"

#include <ctime>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace cli::system {

// Where the running program's path is read from, as a message names it.
extern const char* const kProgramPathSource;

// The program's arguments as UTF-8 texts, the program's name left out.
std::vector<std::string> programArguments(int argc, char** argv);

// Before the command runs: past a file-size limit a write fails, and the command says so,
// instead of the program being ended without a word; the standard output takes the report's
// bytes as they are.
void prepareProcess();

// Whether both names reach the same file (the same device or volume and file number); false
// when either cannot be read.
bool sameFile(const std::filesystem::path& first, const std::filesystem::path& second);

// The local calendar time; none when the system cannot give it.
std::optional<std::tm> localTime(std::time_t time);

// The named function of a module loaded once and kept for the life of the process; null when
// the module lacks it, a failure with the system's reason when it cannot be loaded.
util::Result<void*> moduleFunction(const std::filesystem::path& module, const char* name);

} // namespace cli::system
