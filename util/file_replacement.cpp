#include "util/file_replacement.h"

#include "util/system_error.h"

#include <array>
#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace util {

namespace {

// The temporary files being written now, for the signal handler: fixed slots of plain
// characters, since a handler may use neither the heap nor locks.
constexpr std::size_t kSlots = 8;
std::array<std::array<char, 4096>, kSlots> g_temporaryNames;
std::array<std::atomic<bool>, kSlots> g_slotInUse;

// Removes every temporary file still being written, then ends the program as the signal would.
extern "C" void removeTemporaryFilesAndStop(int signal) {
    for (std::size_t slot = 0; slot < kSlots; ++slot) {
        if (g_slotInUse[slot].load()) {
            ::unlink(g_temporaryNames[slot].data());
        }
    }
    std::signal(signal, SIG_DFL);
    std::raise(signal);
}

// Once, where the program left the default: an interruption removes the temporary files, and a
// file-size limit fails the write with EFBIG instead of ending the program without a word.
void installSignalHandlers() {
    static const bool installed = [] {
        for (const int signal : {SIGINT, SIGTERM, SIGHUP, SIGQUIT}) {
            struct sigaction current {};
            if (::sigaction(signal, nullptr, &current) == 0 && current.sa_handler == SIG_DFL) {
                std::signal(signal, removeTemporaryFilesAndStop);
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

// Why the last replacement of this thread could not create its temporary file; 0 otherwise.
thread_local int t_creationError = 0;

// A name beside the target that no other writer of this process or another one picks.
std::filesystem::path temporaryPathFor(const std::filesystem::path& target, int attempt) {
    static std::atomic<unsigned> counter{0};
    std::string name = "." + target.filename().string() + ".tmp-" + std::to_string(::getpid()) +
                       "-" + std::to_string(counter++) + "-" + std::to_string(attempt);
    return target.parent_path() / name;
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

// Writes over the existing file itself, for a folder where no new file can be made.
std::optional<std::string> writeInPlace(const std::filesystem::path& target,
                                        std::string_view bytes) {
    const int fd = ::open(target.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC);
    if (fd < 0) {
        return systemErrorText(errno);
    }
    int failure = writeAll(fd, bytes) && ::fsync(fd) == 0 ? 0 : errno;
    if (::close(fd) != 0 && failure == 0) {
        failure = errno;
    }
    if (failure != 0) {
        return systemErrorText(failure) + "; o arquivo pode ter ficado incompleto";
    }
    return std::nullopt;
}

} // namespace

FileReplacement::FileReplacement(std::filesystem::path target, std::filesystem::path temporary,
                                 int fd)
    : m_target(std::move(target)), m_temporary(std::move(temporary)), m_fd(fd),
      m_slot(registerTemporary(m_temporary)) {}

FileReplacement::FileReplacement(FileReplacement&& other) noexcept
    : m_target(std::move(other.m_target)), m_temporary(std::move(other.m_temporary)),
      m_fd(other.m_fd), m_slot(other.m_slot), m_done(other.m_done) {
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

std::variant<FileReplacement, std::string>
FileReplacement::begin(const std::filesystem::path& path) {
    installSignalHandlers();
    const Target target = targetOf(path);
    if (!target.refusal.empty()) {
        return target.refusal;
    }
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::filesystem::path temporary = temporaryPathFor(target.path, attempt);
        // 0666 leaves the permissions of a new file to the user's umask.
        const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno == EEXIST) {
            continue;
        }
        if (fd < 0) {
            t_creationError = errno;
            return systemErrorText(errno);
        }
        FileReplacement replacement(target.path, std::move(temporary), fd);
        if (target.existing) {
            // The replaced file keeps its owner where the program may give it, and its mode.
            const struct stat& old = *target.existing;
            if (::fchown(fd, old.st_uid, old.st_gid) != 0 && errno != EPERM) {
                return systemErrorText(errno);
            }
            if (::fchmod(fd, old.st_mode & 07777) != 0) {
                return systemErrorText(errno);
            }
        }
        return replacement;
    }
    return systemErrorText(EEXIST);
}

std::optional<std::string> FileReplacement::commit() {
    int failure = ::fsync(m_fd) == 0 ? 0 : errno;
    if (::close(m_fd) != 0 && failure == 0) {
        failure = errno;
    }
    m_fd = -1;
    if (failure == 0 && ::rename(m_temporary.c_str(), m_target.c_str()) != 0) {
        failure = errno;
    }
    if (failure != 0) {
        return systemErrorText(failure);
    }
    m_done = true;
    syncFolder(m_target.has_parent_path() ? m_target.parent_path() : std::filesystem::path("."));
    return std::nullopt;
}

std::optional<std::string> writeFileAtomically(const std::filesystem::path& path,
                                               std::string_view bytes) {
    const auto failed = [&path](const std::string& reason) {
        return "Não foi possível gravar o arquivo " + path.string() + ": " + reason;
    };
    t_creationError = 0;
    auto started = FileReplacement::begin(path);
    if (const auto* reason = std::get_if<std::string>(&started)) {
        // The folder takes no new file beside an existing, writable one: write over it instead.
        const Target target = targetOf(path);
        if ((t_creationError == EACCES || t_creationError == EPERM) && target.existing &&
            target.refusal.empty()) {
            if (const auto inPlace = writeInPlace(target.path, bytes)) {
                return failed(*inPlace);
            }
            return std::nullopt;
        }
        return failed(*reason);
    }
    FileReplacement& replacement = std::get<FileReplacement>(started);
    if (!writeAll(replacement.descriptor(), bytes)) {
        return failed(systemErrorText(errno));
    }
    if (const auto reason = replacement.commit()) {
        return failed(*reason);
    }
    return std::nullopt;
}

} // namespace util
