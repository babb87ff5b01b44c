#include "refdata/file_lock.h"

#include "util/system_error.h"

#include <cerrno>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace refdata {

std::optional<LockFileHandle> openLockFile(const std::filesystem::path& file, std::string& reason) {
    const int fd = ::open(file.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
    if (fd < 0) {
        reason = util::systemErrorText(errno);
        return std::nullopt;
    }
    return fd;
}

std::optional<std::string> waitForLock(LockFileHandle file) {
    int result = 0;
    while ((result = ::flock(static_cast<int>(file), LOCK_EX)) != 0 && errno == EINTR) {
    }
    if (result != 0) {
        return util::systemErrorText(errno);
    }
    return std::nullopt;
}

void closeLockFile(LockFileHandle file) {
    ::close(static_cast<int>(file));
}

} // namespace refdata
