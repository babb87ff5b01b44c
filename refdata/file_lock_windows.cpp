#include "refdata/file_lock.h"

#include "util/windows_text.h"

#include <windows.h>

namespace refdata {

std::optional<LockFileHandle> openLockFile(const std::filesystem::path& file, std::string& reason) {
    // Shared, so that every program opens it; the lock is a byte range of it, not the opening.
    const HANDLE handle = ::CreateFileW(file.c_str(), GENERIC_READ | GENERIC_WRITE,
                                        FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                        nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        reason = util::windowsErrorText(::GetLastError());
        return std::nullopt;
    }
    return reinterpret_cast<LockFileHandle>(handle);
}

std::optional<std::string> waitForLock(LockFileHandle file) {
    // Asked for without waiting, and again every few milliseconds while another holds it: under
    // Wine a waiting request was seen to miss the release and wait on for minutes, the file free.
    constexpr DWORD kRetryMilliseconds = 10;
    for (;;) {
        OVERLAPPED start{}; // the first byte, which no program writes
        if (::LockFileEx(reinterpret_cast<HANDLE>(file),
                         LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0, &start)) {
            return std::nullopt;
        }
        const DWORD error = ::GetLastError();
        if (error != ERROR_LOCK_VIOLATION) {
            return util::windowsErrorText(error);
        }
        ::Sleep(kRetryMilliseconds);
    }
}

void closeLockFile(LockFileHandle file) {
    ::CloseHandle(reinterpret_cast<HANDLE>(file));
}

} // namespace refdata
