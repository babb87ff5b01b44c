#include "util/file_replacement_platform.h"

#include "util/system_error.h"
#include "util/windows_text.h"

#include <cerrno>
#include <windows.h>

namespace util::replacement {

namespace {

void (*g_removeAll)() = nullptr;

// Ctrl-C, Ctrl-Break and the console closing: the temporary files go, then the next handler
// (at last the system's, which ends the program) runs.
BOOL WINAPI removeTemporaryFilesAndPass(DWORD) {
    g_removeAll();
    return FALSE;
}

HANDLE handleOf(File file) {
    return reinterpret_cast<HANDLE>(file);
}

Failure refused(std::string reason) {
    return Failure{Failure::Kind::Output, std::move(reason)};
}

// Why the target may not be replaced; nothing when it may. A link is followed to the file it
// names.
std::optional<std::string> refusal(std::filesystem::path& target) {
    if (target.empty() || !target.has_filename()) {
        return systemErrorText(EISDIR);
    }
    DWORD attributes = ::GetFileAttributesW(target.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT)) {
        std::error_code error;
        target = std::filesystem::canonical(target, error);
        if (error) {
            return systemErrorText(error.value());
        }
        attributes = ::GetFileAttributesW(target.c_str());
    }
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        return std::nullopt; // a new file
    }
    if (attributes & FILE_ATTRIBUTE_DIRECTORY) {
        return systemErrorText(EISDIR);
    }
    if (attributes & FILE_ATTRIBUTE_DEVICE) {
        return "não é um arquivo comum";
    }
    if (attributes & FILE_ATTRIBUTE_READONLY) {
        return windowsErrorText(ERROR_ACCESS_DENIED);
    }
    return std::nullopt;
}

// Why the move over the target failed. A target that another program holds open (a report
// open in a spreadsheet) is refused as a denied access: it is said to be in use instead.
std::string notMoved(const std::filesystem::path& target, DWORD error) {
    if (error == ERROR_ACCESS_DENIED) {
        const HANDLE probe = ::CreateFileW(target.c_str(), DELETE,
                                           FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                           nullptr, OPEN_EXISTING, 0, nullptr);
        if (probe != INVALID_HANDLE_VALUE) {
            ::CloseHandle(probe);
        } else if (::GetLastError() == ERROR_SHARING_VIOLATION) {
            error = ERROR_SHARING_VIOLATION;
        }
    }
    return windowsErrorText(error);
}

} // namespace

void onInterruption(void (*removeAll)()) {
    g_removeAll = removeAll;
    ::SetConsoleCtrlHandler(removeTemporaryFilesAndPass, TRUE);
}

unsigned long processId() {
    return ::GetCurrentProcessId();
}

Result<Opened> open(const std::filesystem::path& path) {
    std::filesystem::path target = path;
    if (auto reason = refusal(target)) {
        return refused(std::move(*reason));
    }
    const std::filesystem::path folder =
        target.has_parent_path() ? target.parent_path() : std::filesystem::path(".");
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::filesystem::path temporary = temporaryName(folder, attempt);
        // Others may read it, and an interruption may delete it while it is open.
        const HANDLE file = ::CreateFileW(temporary.c_str(), GENERIC_WRITE,
                                          FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                          nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file != INVALID_HANDLE_VALUE) {
            return Opened{target, std::move(temporary), reinterpret_cast<File>(file), false};
        }
        const DWORD error = ::GetLastError();
        if (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS) {
            return refused(windowsErrorText(error));
        }
    }
    return refused(windowsErrorText(ERROR_FILE_EXISTS));
}

std::optional<std::string> writeAll(File file, std::string_view bytes) {
    while (!bytes.empty()) {
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), 1u << 30));
        DWORD written = 0;
        if (!::WriteFile(handleOf(file), bytes.data(), chunk, &written, nullptr)) {
            return windowsErrorText(::GetLastError());
        }
        bytes.remove_prefix(written);
    }
    return std::nullopt;
}

std::optional<std::string> close(File file, bool flush) {
    DWORD failure = !flush || ::FlushFileBuffers(handleOf(file)) ? 0 : ::GetLastError();
    if (!::CloseHandle(handleOf(file)) && failure == 0) {
        failure = ::GetLastError();
    }
    return failure == 0 ? std::nullopt : std::optional(windowsErrorText(failure));
}

std::optional<std::string> putInPlace(const Opened& opened) {
    if (!::MoveFileExW(opened.temporary.c_str(), opened.target.c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        return notMoved(opened.target, ::GetLastError());
    }
    return std::nullopt;
}

void remove(const std::filesystem::path::value_type* name) {
    ::DeleteFileW(name);
}

} // namespace util::replacement
