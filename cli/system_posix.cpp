#include "cli/system.h"

#include <csignal>
#include <dlfcn.h>
#include <sys/stat.h>

namespace cli::system {

const char* const kProgramPathSource = "/proc/self/exe";

std::vector<std::string> programArguments(int argc, char** argv) {
    return std::vector<std::string>(argv + std::min(argc, 1), argv + argc);
}

void prepareProcess() {
    std::signal(SIGXFSZ, SIG_IGN);
}

bool sameFile(const std::filesystem::path& first, const std::filesystem::path& second) {
    struct stat one {};
    struct stat other {};
    return ::stat(first.c_str(), &one) == 0 && ::stat(second.c_str(), &other) == 0 &&
           one.st_dev == other.st_dev && one.st_ino == other.st_ino;
}

std::optional<std::tm> localTime(std::time_t time) {
    std::tm local{};
    return ::localtime_r(&time, &local) == nullptr ? std::nullopt : std::optional(local);
}

util::Result<void*> moduleFunction(const std::filesystem::path& module, const char* name) {
    void* loaded = ::dlopen(module.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (loaded == nullptr) {
        const char* reason = ::dlerror();
        return util::Failure{util::Failure::Kind::Output, reason ? reason : "?"};
    }
    return ::dlsym(loaded, name);
}

} // namespace cli::system
