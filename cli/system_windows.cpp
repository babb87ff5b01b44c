#include "cli/system.h"

#include "util/windows_text.h"

#include <cstdio>
#include <fcntl.h>
#include <io.h>
#include <windows.h>

namespace cli::system {

namespace {

// The file's volume and number; none when it cannot be opened.
std::optional<BY_HANDLE_FILE_INFORMATION> fileInformation(const std::filesystem::path& path) {
    const HANDLE file =
        ::CreateFileW(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                      nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return std::nullopt;
    }
    BY_HANDLE_FILE_INFORMATION information{};
    const bool read = ::GetFileInformationByHandle(file, &information);
    ::CloseHandle(file);
    return read ? std::optional(information) : std::nullopt;
}

} // namespace

const char* const kProgramPathSource = "GetModuleFileNameW";

// argv holds the arguments in the system's code page, which cannot write every name: they are
// read again from the wide command line.
std::vector<std::string> programArguments(int, char**) {
    int count = 0;
    LPWSTR* wide = ::CommandLineToArgvW(::GetCommandLineW(), &count);
    std::vector<std::string> arguments;
    for (int i = 1; wide != nullptr && i < count; ++i) {
        arguments.push_back(util::utf8FromWide(wide[i]));
    }
    ::LocalFree(wide);
    return arguments;
}

void prepareProcess() {
    // No line ending becomes CR LF on the way out: the report's bytes are the same everywhere.
    ::_setmode(::_fileno(stdout), _O_BINARY);
    ::_setmode(::_fileno(stderr), _O_BINARY);
}

bool sameFile(const std::filesystem::path& first, const std::filesystem::path& second) {
    const auto one = fileInformation(first);
    const auto other = fileInformation(second);
    return one && other && one->dwVolumeSerialNumber == other->dwVolumeSerialNumber &&
           one->nFileIndexHigh == other->nFileIndexHigh &&
           one->nFileIndexLow == other->nFileIndexLow;
}

std::optional<std::tm> localTime(std::time_t time) {
    std::tm local{};
    return ::localtime_s(&local, &time) == 0 ? std::optional(local) : std::nullopt;
}

util::Result<void*> moduleFunction(const std::filesystem::path& module, const char* name) {
    const HMODULE loaded = ::LoadLibraryW(module.c_str());
    if (loaded == nullptr) {
        return util::Failure{util::Failure::Kind::Output, util::windowsErrorText(::GetLastError())};
    }
    return reinterpret_cast<void*>(::GetProcAddress(loaded, name));
}

} // namespace cli::system
