#include "util/file_replacement.h"

#include "util/system_error.h"
#include "util/text.h"

#include <array>
#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace util {

namespace {

Failure outputFailure(std::string reason) {
    return Failure{Failure::Kind::Output, std::move(reason)};
}

// The temporary files being written now, for the signal handler: fixed slots of plain
// characters, since a handler may use neither the heap nor locks. Each slot keeps the process
// that wrote it, so a forked child (the Access reader) that dies leaves its parent's files.
constexpr std::size_t kSlots = 8;
std::array<std::array<char, 4096>, kSlots> g_temporaryNames;
std::array<std::atomic<bool>, kSlots> g_slotInUse;
std::array<std::atomic<pid_t>, kSlots> g_slotOwner;

// Removes every temporary file this process is still writing, then ends the program as the
// signal would: the handler is reset on entry and the signal is not blocked, so raising it
// again takes the default action.
extern "C" void removeTemporaryFilesAndStop(int signal) {
    const pid_t self = ::getpid();
    for (std::size_t slot = 0; slot < kSlots; ++slot) {
        if (g_slotInUse[slot].load() && g_slotOwner[slot].load() == self) {
            ::unlink(g_temporaryNames[slot].data());
        }
    }
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

// Once, where the program left the default: a signal that ends the program removes the
// temporary files first, and a file-size limit fails the write with EFBIG instead of ending
// the program without a word.
void installSignalHandlers() {
    static const bool installed = [] {
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
        struct sigaction current {};
        if (::sigaction(SIGXFSZ, nullptr, &current) == 0 && current.sa_handler == SIG_DFL) {
            std::signal(SIGXFSZ, SIG_IGN);
        }
        return true;
    }();
    (void)installed;
}

// A slot for the temporary file's name; -1 when all are taken (the file is then only removed
// by the normal paths).
int registerTemporary(const std::filesystem::path& path) {
    const std::string& name = path.native();
    for (std::size_t slot = 0; slot < kSlots && name.size() < g_temporaryNames[slot].size();
         ++slot) {
        bool expected = false;
        if (g_slotInUse[slot].compare_exchange_strong(expected, true)) {
            g_slotInUse[slot].store(false);
            std::memcpy(g_temporaryNames[slot].data(), name.c_str(), name.size() + 1);
            g_slotOwner[slot].store(::getpid());
            g_slotInUse[slot].store(true);
            return static_cast<int>(slot);
        }
    }
    return -1;
}

void unregisterTemporary(int slot) {
    if (slot >= 0) {
        g_slotInUse[static_cast<std::size_t>(slot)].store(false);
    }
}

// A short name in `folder` that no other writer of this process or another one picks: short,
// so that a target whose own name is near the system's limit still gets one.
std::filesystem::path temporaryPathIn(const std::filesystem::path& folder, int attempt) {
    static std::atomic<unsigned> counter{0};
    return folder / (".zeb-" + std::to_string(::getpid()) + "-" + std::to_string(counter++) + "-" +
                     std::to_string(attempt) + ".tmp");
}

bool writeAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
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
    int failure = 0;
    std::array<char, 65536> buffer{};
    for (ssize_t got; failure == 0 && (got = ::read(in, buffer.data(), buffer.size())) != 0;) {
        if (got < 0) {
            failure = errno == EINTR ? 0 : errno;
        } else if (!writeAll(out, std::string_view(buffer.data(), static_cast<std::size_t>(got)))) {
            failure = errno;
        }
    }
    if (failure == 0 && ::fsync(out) != 0) {
        failure = errno;
    }
    if (::close(out) != 0 && failure == 0) {
        failure = errno;
    }
    ::close(in);
    if (failure != 0) {
        return systemErrorText(failure) + "; o arquivo pode ter ficado incompleto";
    }
    return std::nullopt;
}

// Creates a new temporary file in `folder`; its descriptor, or -1 with errno set.
int createTemporary(const std::filesystem::path& folder, std::filesystem::path& temporary) {
    for (int attempt = 0; attempt < 100; ++attempt) {
        temporary = temporaryPathIn(folder, attempt);
        // 0666 leaves the permissions of a new file to the user's umask.
        const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST) {
            return fd;
        }
    }
    errno = EEXIST;
    return -1;
}

} // namespace

FileReplacement::FileReplacement(std::filesystem::path target, std::filesystem::path temporary,
                                 int fd, bool inPlace)
    : m_target(std::move(target)), m_temporary(std::move(temporary)), m_fd(fd),
      m_slot(registerTemporary(m_temporary)), m_inPlace(inPlace) {}

FileReplacement::FileReplacement(FileReplacement&& other) noexcept
    : m_target(std::move(other.m_target)), m_temporary(std::move(other.m_temporary)),
      m_fd(other.m_fd), m_slot(other.m_slot), m_inPlace(other.m_inPlace), m_done(other.m_done) {
    other.m_fd = -1;
    other.m_slot = -1;
    other.m_done = true;
}

FileReplacement::~FileReplacement() {
    if (m_fd >= 0) {
        ::close(m_fd);
    }
    if (!m_done) {
        ::unlink(m_temporary.c_str());
    }
    unregisterTemporary(m_slot);
}

Result<FileReplacement> FileReplacement::begin(const std::filesystem::path& path) {
    installSignalHandlers();
    const Target target = targetOf(path);
    if (!target.refusal.empty()) {
        return outputFailure(target.refusal);
    }
    const std::filesystem::path folder =
        target.path.has_parent_path() ? target.path.parent_path() : std::filesystem::path(".");
    std::filesystem::path temporary;
    const int fd = createTemporary(folder, temporary);
    if (fd < 0) {
        const int creationError = errno;
        // The folder takes no new file beside an existing, writable one: stage the content in
        // the temporary folder and write it over the file at commit.
        std::error_code error;
        const auto staging = std::filesystem::temp_directory_path(error);
        if ((creationError == EACCES || creationError == EPERM) && target.existing && !error) {
            const int staged = createTemporary(staging, temporary);
            if (staged >= 0) {
                return FileReplacement(target.path, std::move(temporary), staged, true);
            }
        }
        return outputFailure(systemErrorText(creationError));
    }
    FileReplacement replacement(target.path, std::move(temporary), fd, false);
    if (target.existing) {
        // The replaced file keeps its owner where the program may give it, and its mode.
        const struct stat& old = *target.existing;
        if (::fchown(fd, old.st_uid, old.st_gid) != 0 && errno != EPERM) {
            return outputFailure(systemErrorText(errno));
        }
        if (::fchmod(fd, old.st_mode & 07777) != 0) {
            return outputFailure(systemErrorText(errno));
        }
    }
    return replacement;
}

std::optional<Failure> FileReplacement::commit() {
    int failure = m_inPlace || ::fsync(m_fd) == 0 ? 0 : errno;
    if (::close(m_fd) != 0 && failure == 0) {
        failure = errno;
    }
    m_fd = -1;
    if (failure != 0) {
        return outputFailure(systemErrorText(failure));
    }
    if (m_inPlace) {
        // The staged file goes with the object, whatever the copy's outcome.
        if (auto reason = copyInPlace(m_temporary, m_target)) {
            return outputFailure(std::move(*reason));
        }
        return std::nullopt;
    }
    if (::rename(m_temporary.c_str(), m_target.c_str()) != 0) {
        return outputFailure(systemErrorText(errno));
    }
    m_done = true;
    syncFolder(m_target.has_parent_path() ? m_target.parent_path() : std::filesystem::path("."));
    return std::nullopt;
}

std::string writeFailure(const std::filesystem::path& path, const std::string& reason) {
    return "Não foi possível gravar o arquivo " + visible(path.string()) + ": " + reason;
}

Failure writeFailure(const std::filesystem::path& path, const Failure& reason) {
    return outputFailure(writeFailure(path, reason.message));
}

std::optional<Failure> writeFileAtomically(const std::filesystem::path& path,
                                           std::string_view bytes) {
    auto replacement = FileReplacement::begin(path);
    if (!replacement) {
        return writeFailure(path, replacement.failure());
    }
    if (!writeAll(replacement->descriptor(), bytes)) {
        return outputFailure(writeFailure(path, systemErrorText(errno)));
    }
    if (const auto reason = replacement->commit()) {
        return writeFailure(path, *reason);
    }
    return std::nullopt;
}

} // namespace util
