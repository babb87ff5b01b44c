#pragma once

// What the Access library needs of the system it runs on (access_library_posix.cpp,
// access_library_windows.cpp).

#include <filesystem>
#include <optional>
#include <string>

namespace refdata {

// Makes the library give texts in UTF-8, whatever the user's environment holds.
void useUtf8InAccessLibrary();

// The file's name as the library opens it (a narrow name, in the system's code page); none when
// no such name reaches the file.
std::optional<std::string> accessLibraryFileName(const std::filesystem::path& file);

} // namespace refdata
