#pragma once

// A lock file that one program at a time holds, as the platform offers it (file_lock_posix.cpp,
// file_lock_windows.cpp). The lock goes with the file's closing, also when a program ends
// without letting it go.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

namespace refdata {

// An open lock file: a descriptor or a handle, as the platform has it.
using LockFileHandle = std::intptr_t;

// Opens the file, made if missing; none, with the system's reason in `reason`, when it cannot.
std::optional<LockFileHandle> openLockFile(const std::filesystem::path& file, std::string& reason);

// Blocks until this program holds the file's lock; the system's reason when it cannot.
std::optional<std::string> waitForLock(LockFileHandle file);

// Closes the file: its lock, if held, is let go.
void closeLockFile(LockFileHandle file);

} // namespace refdata
