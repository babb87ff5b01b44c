#pragma once

#include "util/failure.h"

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace cli {

// A file a command reads, and what it is to the user ("o banco de dados", "o estudo", ...).
struct ReadFile {
    std::filesystem::path path;
    std::string what;
};

// The one rule of every command that writes: its output may not be a file it reads, compared
// by device and inode (so another path, a link or a hard link to it counts too), since writing
// the result there would destroy the input. The refusal (an invalid input) names the option,
// the input and the file; none while the output does not exist or is none of the inputs.
std::optional<util::Failure> outputOverInput(const std::string& option,
                                             const std::filesystem::path& output,
                                             const std::vector<ReadFile>& inputs);

} // namespace cli
