#pragma once

#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>
#include <string_view>

#include <unistd.h>

namespace zebfuzz {

// A file of this process's own in the temporary folder (TMPDIR), rewritten for every input;
// fuzz runs point TMPDIR at a memory file system.
inline std::filesystem::path writeTempFile(std::string_view name, std::string_view bytes) {
    const auto path = std::filesystem::temp_directory_path() /
                      ("zeb-fuzz-" + std::to_string(::getpid()) + "-" + std::string(name));
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out) {
        throw std::runtime_error("cannot write " + path.string());
    }
    return path;
}

} // namespace zebfuzz
