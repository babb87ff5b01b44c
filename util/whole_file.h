#pragma once

#include "util/failure.h"

#include <cstdint>
#include <filesystem>
#include <string>

namespace util {

// The whole of a regular file of at most `maxBytes`; or why not, an invalid input worded in
// Portuguese for the file named by `named` ("a série \"x.csv\""): it does not exist, it is not a
// regular file (a pipe or a device could block the reader or never end), it is larger, or the
// system could not read it.
Result<std::string> readWholeFile(const std::filesystem::path& path, const std::string& named,
                                  std::uintmax_t maxBytes);

} // namespace util
