#include "util/file_replacement.h"

#include <atomic>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace util {

namespace {

std::string systemReason(int error) {
    return std::strerror(error);
}

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

} // namespace

FileReplacement::FileReplacement(std::filesystem::path target, std::filesystem::path temporary,
                                 int fd)
    : m_target(std::move(target)), m_temporary(std::move(temporary)), m_fd(fd) {}

FileReplacement::FileReplacement(FileReplacement&& other) noexcept
    : m_target(std::move(other.m_target)), m_temporary(std::move(other.m_temporary)),
      m_fd(other.m_fd), m_done(other.m_done) {
    other.m_fd = -1;
    other.m_done = true;
}

FileReplacement::~FileReplacement() {
    if (m_fd >= 0) {
        ::close(m_fd);
    }
    if (!m_done) {
        ::unlink(m_temporary.c_str());
    }
}

std::variant<FileReplacement, std::string>
FileReplacement::begin(const std::filesystem::path& path) {
    if (path.empty() || !path.has_filename()) {
        return systemReason(EISDIR);
    }
    std::filesystem::path target = path;
    std::error_code error;
    if (std::filesystem::is_symlink(path, error)) {
        target = std::filesystem::canonical(path, error);
        if (error) {
            return error.message();
        }
    }
    struct stat existing {};
    const bool exists = ::stat(target.c_str(), &existing) == 0;
    if (exists && S_ISDIR(existing.st_mode)) {
        return systemReason(EISDIR);
    }
    if (exists && !S_ISREG(existing.st_mode)) {
        return std::string("não é um arquivo comum");
    }

    for (int attempt = 0; attempt < 100; ++attempt) {
        std::filesystem::path temporary = temporaryPathFor(target, attempt);
        // 0666 leaves the permissions to the user's umask, as for any new file.
        const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno == EEXIST) {
            continue;
        }
        if (fd < 0) {
            return systemReason(errno);
        }
        FileReplacement replacement(target, std::move(temporary), fd);
        if (exists && ::fchmod(fd, existing.st_mode & 07777) != 0) {
            return systemReason(errno);
        }
        return replacement;
    }
    return systemReason(EEXIST);
}

std::optional<std::string> FileReplacement::commit() {
    int failure = 0;
    if (::fsync(m_fd) != 0) {
        failure = errno;
    }
    if (::close(m_fd) != 0 && failure == 0) {
        failure = errno;
    }
    m_fd = -1;
    if (failure == 0 && ::rename(m_temporary.c_str(), m_target.c_str()) != 0) {
        failure = errno;
    }
    if (failure != 0) {
        return systemReason(failure);
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
    auto started = FileReplacement::begin(path);
    if (const auto* reason = std::get_if<std::string>(&started)) {
        return failed(*reason);
    }
    FileReplacement& replacement = std::get<FileReplacement>(started);
    if (!writeAll(replacement.descriptor(), bytes)) {
        return failed(systemReason(errno));
    }
    if (const auto reason = replacement.commit()) {
        return failed(*reason);
    }
    return std::nullopt;
}

} // namespace util
