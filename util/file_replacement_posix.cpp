#include "util/file_replacement_platform.h"

#include "util/system_error.h"

#include <array>
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace util::replacement {

namespace {

void (*g_removeAll)() = nullptr;

// Removes the temporary files, then ends the program as the signal would: the handler is reset
// on entry and the signal is not blocked, so raising it again takes the default action.
extern "C" void removeTemporaryFilesAndStop(int signal) {
    g_removeAll();
    ::raise(signal);
}

// Every signal whose default action ends the process (SIGKILL and SIGSTOP cannot be caught).
std::vector<int> endingSignals() {
    std::vector<int> signals = {SIGHUP,    SIGINT,  SIGQUIT,   SIGILL,  SIGTRAP, SIGABRT, SIGBUS,
                                SIGFPE,    SIGUSR1, SIGSEGV,   SIGUSR2, SIGPIPE, SIGALRM, SIGTERM,
                                SIGSTKFLT, SIGXCPU, SIGVTALRM, SIGPROF, SIGIO,   SIGPWR,  SIGSYS};
    for (int realTime = SIGRTMIN; realTime <= SIGRTMAX; ++realTime) {
        signals.push_back(realTime);
    }
    return signals;
}

Failure refused(std::string reason) {
    return Failure{Failure::Kind::Output, std::move(reason)};
}

// Makes the rename itself durable; the file is already complete and in place, so a folder
// that cannot be synced is no reason to report a failure.
void syncFolder(const std::filesystem::path& folder) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

// The file a replacement writes: a link followed to the file it names; refused when it is a
// folder, a special file or a file the user may not write.
struct Target {
    std::filesystem::path path;
    std::optional<struct stat> existing;
    std::string refusal; // empty when the target may be replaced
};

Target targetOf(const std::filesystem::path& path) {
    Target target{path, std::nullopt, {}};
    if (path.empty() || !path.has_filename()) {
        target.refusal = systemErrorText(EISDIR);
        return target;
    }
    std::error_code error;
    if (std::filesystem::is_symlink(path, error)) {
        target.path = std::filesystem::canonical(path, error);
        if (error) {
            target.refusal = systemErrorText(error.value());
            return target;
        }
    }
    struct stat existing {};
    if (::stat(target.path.c_str(), &existing) != 0) {
        return target;
    }
    target.existing = existing;
    if (S_ISDIR(existing.st_mode)) {
        target.refusal = systemErrorText(EISDIR);
    } else if (!S_ISREG(existing.st_mode)) {
        // Renaming over a device or a pipe would replace the node itself.
        target.refusal = "não é um arquivo comum";
    } else if (::faccessat(AT_FDCWD, target.path.c_str(), W_OK, AT_EACCESS) != 0) {
        // What the shell's ">" would refuse, the replacement refuses too.
        target.refusal = systemErrorText(errno);
    }
    return target;
}

// Copies the staged content over the existing file itself, for a folder where no new file can
// be made.
std::optional<std::string> copyInPlace(const std::filesystem::path& staged,
                                       const std::filesystem::path& target) {
    const int in = ::open(staged.c_str(), O_RDONLY | O_CLOEXEC);
    if (in < 0) {
        return systemErrorText(errno);
    }
    const int out = ::open(target.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC);
    if (out < 0) {
        const int error = errno;
        ::close(in);
        return systemErrorText(error);
    }
    std::optional<std::string> failure;
    std::array<char, 65536> buffer{};
    for (ssize_t got; !failure && (got = ::read(in, buffer.data(), buffer.size())) != 0;) {
        if (got < 0 && errno != EINTR) {
            failure = systemErrorText(errno);
        } else if (got > 0) {
            failure = writeAll(out, std::string_view(buffer.data(), static_cast<std::size_t>(got)));
        }
    }
    const auto closed = close(out, true);
    ::close(in);
    failure = failure ? failure : closed;
    if (failure) {
        return *failure + "; o arquivo pode ter ficado incompleto";
    }
    return std::nullopt;
}

// Creates a new temporary file in `folder`; its descriptor, or -1 with errno set.
int createTemporary(const std::filesystem::path& folder, std::filesystem::path& temporary) {
    for (int attempt = 0; attempt < 100; ++attempt) {
        temporary = temporaryName(folder, attempt);
        // 0666 leaves the permissions of a new file to the user's umask.
        const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST) {
            return fd;
        }
    }
    errno = EEXIST;
    return -1;
}

// The folder takes no new file beside an existing, writable one: the content is staged in the
// temporary folder and written over the file at commit.
Result<Opened> staged(const Target& target, int creationError) {
    std::error_code error;
    const auto staging = std::filesystem::temp_directory_path(error);
    if ((creationError == EACCES || creationError == EPERM) && target.existing && !error) {
        std::filesystem::path temporary;
        const int fd = createTemporary(staging, temporary);
        if (fd >= 0) {
            return Opened{target.path, std::move(temporary), fd, true};
        }
    }
    return refused(systemErrorText(creationError));
}

// The replaced file keeps its owner where the program may give it, and its mode.
int keepOwnerAndMode(int fd, const struct stat& old) {
    if (::fchown(fd, old.st_uid, old.st_gid) != 0 && errno != EPERM) {
        return errno;
    }
    return ::fchmod(fd, old.st_mode & 07777) != 0 ? errno : 0;
}

} // namespace

void onInterruption(void (*removeAll)()) {
    g_removeAll = removeAll;
    struct sigaction cleanup {};
    cleanup.sa_handler = removeTemporaryFilesAndStop;
    cleanup.sa_flags = SA_RESETHAND | SA_NODEFER;
    sigemptyset(&cleanup.sa_mask);
    for (const int signal : endingSignals()) {
        struct sigaction current {};
        if (::sigaction(signal, nullptr, &current) == 0 && current.sa_handler == SIG_DFL) {
            ::sigaction(signal, &cleanup, nullptr);
        }
    }
    // A file-size limit fails the write with EFBIG instead of ending the program without a
    // word.
    struct sigaction current {};
    if (::sigaction(SIGXFSZ, nullptr, &current) == 0 && current.sa_handler == SIG_DFL) {
        std::signal(SIGXFSZ, SIG_IGN);
    }
}

unsigned long processId() {
    return static_cast<unsigned long>(::getpid());
}

Result<Opened> open(const std::filesystem::path& path) {
    const Target target = targetOf(path);
    if (!target.refusal.empty()) {
        return refused(target.refusal);
    }
    const std::filesystem::path folder =
        target.path.has_parent_path() ? target.path.parent_path() : std::filesystem::path(".");
    std::filesystem::path temporary;
    const int fd = createTemporary(folder, temporary);
    if (fd < 0) {
        return staged(target, errno);
    }
    if (const int error = target.existing ? keepOwnerAndMode(fd, *target.existing) : 0) {
        ::close(fd);
        ::unlink(temporary.c_str());
        return refused(systemErrorText(error));
    }
    return Opened{target.path, std::move(temporary), fd, false};
}

std::optional<std::string> writeAll(File file, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t written = ::write(static_cast<int>(file), bytes.data(), bytes.size());
        if (written < 0 && errno != EINTR) {
            return systemErrorText(errno);
        }
        bytes.remove_prefix(written < 0 ? 0 : static_cast<std::size_t>(written));
    }
    return std::nullopt;
}

std::optional<std::string> close(File file, bool flush) {
    const int fd = static_cast<int>(file);
    int failure = !flush || ::fsync(fd) == 0 ? 0 : errno;
    if (::close(fd) != 0 && failure == 0) {
        failure = errno;
    }
    return failure == 0 ? std::nullopt : std::optional(systemErrorText(failure));
}

std::optional<std::string> putInPlace(const Opened& opened) {
    if (opened.inPlace) {
        return copyInPlace(opened.temporary, opened.target);
    }
    if (::rename(opened.temporary.c_str(), opened.target.c_str()) != 0) {
        return systemErrorText(errno);
    }
    syncFolder(opened.target.has_parent_path() ? opened.target.parent_path()
                                               : std::filesystem::path("."));
    return std::nullopt;
}

void remove(const std::filesystem::path::value_type* name) {
    ::unlink(name);
}

} // namespace util::replacement
