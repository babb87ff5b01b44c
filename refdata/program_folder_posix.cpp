#include "refdata/program_folder.h"

#include <system_error>

namespace refdata {

std::optional<std::filesystem::path> runningProgramFolder() {
    std::error_code error;
    const auto program = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error || program.empty()) {
        return std::nullopt;
    }
    return program.parent_path();
}

} // namespace refdata
