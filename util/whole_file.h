#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

namespace util {

// Reads the whole of a regular file of at most `maxBytes` into `bytes`. On failure, returns
// why, in Portuguese, the file named by `named` ("a série \"x.csv\""): it does not exist, it is
// not a regular file (a pipe or a device could block the reader or never end), it is larger,
// or the system could not read it. `bytes` is then left as it was.
std::optional<std::string> readWholeFile(const std::filesystem::path& path,
                                         const std::string& named, std::uintmax_t maxBytes,
                                         std::string& bytes);

} // namespace util
