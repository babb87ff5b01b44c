#include "report/report_file.h"

#include <atomic>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace report {

namespace {

std::string failureMessage(const std::filesystem::path& path, std::string_view reason) {
    return "Não foi possível gravar o arquivo " + path.string() + ": " + std::string(reason);
}

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

// Opens a new temporary file; -1 with errno set when the folder does not take one.
int createTemporaryFile(const std::filesystem::path& target, std::filesystem::path& created) {
    for (int attempt = 0; attempt < 100; ++attempt) {
        created = temporaryPathFor(target, attempt);
        // 0666 leaves the permissions to the user's umask, as for any new file.
        const int fd = ::open(created.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST) {
            return fd;
        }
    }
    errno = EEXIST;
    return -1;
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

std::string reportFileBytes(const std::vector<ReportLine>& lines) {
    std::string bytes;
    bytes.reserve(lines.size() * 160);
    for (const ReportLine& line : lines) {
        bytes += toWindows1252(line.text);
        bytes += "\r\n";
    }
    return bytes;
}

std::optional<std::string> writeFileAtomically(const std::filesystem::path& path,
                                               std::string_view bytes) {
    if (path.empty() || !path.has_filename()) {
        return failureMessage(path, systemReason(EISDIR));
    }
    // A link is written through, so the file it names is replaced and the link stays.
    std::filesystem::path target = path;
    std::error_code error;
    if (std::filesystem::is_symlink(path, error)) {
        target = std::filesystem::canonical(path, error);
        if (error) {
            return failureMessage(path, error.message());
        }
    }
    struct stat existing {};
    const bool exists = ::stat(target.c_str(), &existing) == 0;
    if (exists && S_ISDIR(existing.st_mode)) {
        return failureMessage(path, systemReason(EISDIR));
    }
    // Renaming over a device or a pipe would replace the node itself, not write into it.
    if (exists && !S_ISREG(existing.st_mode)) {
        return failureMessage(path, "não é um arquivo comum");
    }

    std::filesystem::path temporary;
    const int fd = createTemporaryFile(target, temporary);
    if (fd < 0) {
        return failureMessage(path, systemReason(errno));
    }
    int failure = 0;
    if (exists && ::fchmod(fd, existing.st_mode & 07777) != 0) {
        failure = errno;
    }
    if (failure == 0 && !writeAll(fd, bytes)) {
        failure = errno;
    }
    if (failure == 0 && ::fsync(fd) != 0) {
        failure = errno;
    }
    if (::close(fd) != 0 && failure == 0) {
        failure = errno;
    }
    if (failure == 0 && ::rename(temporary.c_str(), target.c_str()) != 0) {
        failure = errno;
    }
    if (failure != 0) {
        ::unlink(temporary.c_str());
        return failureMessage(path, systemReason(failure));
    }
    syncFolder(target.has_parent_path() ? target.parent_path() : std::filesystem::path("."));
    return std::nullopt;
}

} // namespace report
