#pragma once

// Faults for the write tests that the test process itself must not suffer: a small file system
// that fills up, one mounted read-only, another user's rights, a file-size limit. Each scenario
// runs in a forked child; the mount lives in a mount namespace of the child's own and goes
// with it. Root is needed to mount or change user; elsewhere the set-up says why it cannot run.

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include <fcntl.h>
#include <grp.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace zebtest {

namespace fs = std::filesystem;

struct ChildResult {
    std::optional<std::string> skipped; // why the fault could not be set up
    std::string failures;               // what the scenario found wrong; empty when all held
};

// Runs `setUp` then, unless it returns a reason not to, `scenario` in a forked child, and
// returns what they reported.
inline ChildResult runInChild(const std::function<std::optional<std::string>()>& setUp,
                              const std::function<std::string()>& scenario) {
    int channel[2];
    if (::pipe(channel) != 0) {
        return {std::nullopt, std::string("pipe: ") + std::strerror(errno)};
    }
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(channel[0]);
        std::string report;
        int status = 0;
        if (const auto reason = setUp()) {
            report = *reason;
            status = 77;
        } else {
            report = scenario();
        }
        for (std::size_t done = 0; done < report.size();) {
            const ssize_t written = ::write(channel[1], report.data() + done, report.size() - done);
            if (written <= 0) {
                break;
            }
            done += static_cast<std::size_t>(written);
        }
        ::_exit(status);
    }
    ::close(channel[1]);
    std::string report;
    char buffer[512];
    for (ssize_t got; (got = ::read(channel[0], buffer, sizeof buffer)) > 0;) {
        report.append(buffer, static_cast<std::size_t>(got));
    }
    ::close(channel[0]);
    int status = 0;
    ::waitpid(child, &status, 0);
    if (WIFEXITED(status) && WEXITSTATUS(status) == 77) {
        return {report, {}};
    }
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        report += "\nthe scenario's process ended abnormally";
    }
    return {std::nullopt, report};
}

// A tmpfs of `bytes` on `folder`, seen by this process only; optionally remounted read-only
// after `prepare` has put files on it.
inline std::optional<std::string> mountSmallFileSystem(const fs::path& folder, std::size_t bytes,
                                                       const std::function<void()>& prepare = {},
                                                       bool readOnly = false) {
    if (::geteuid() != 0) {
        return "mounting a small file system needs root";
    }
    if (::unshare(CLONE_NEWNS) != 0 ||
        ::mount("none", "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0) {
        return std::string("no mount namespace of our own: ") + std::strerror(errno);
    }
    const std::string options = "size=" + std::to_string(bytes);
    if (::mount("tmpfs", folder.c_str(), "tmpfs", 0, options.c_str()) != 0) {
        return std::string("tmpfs cannot be mounted: ") + std::strerror(errno);
    }
    if (prepare) {
        prepare();
    }
    if (readOnly &&
        ::mount(nullptr, folder.c_str(), nullptr, MS_REMOUNT | MS_RDONLY, nullptr) != 0) {
        return std::string("tmpfs cannot be made read-only: ") + std::strerror(errno);
    }
    return std::nullopt;
}

// Takes the rights of the user "nobody" (65534), who may read but not write root's folders.
inline std::optional<std::string> becomeOtherUser() {
    if (::geteuid() != 0) {
        return "changing user needs root (as another user, the folder-permission tests run)";
    }
    if (::setgroups(0, nullptr) != 0 || ::setgid(65534) != 0 || ::setuid(65534) != 0) {
        return std::string("cannot become user 65534: ") + std::strerror(errno);
    }
    return std::nullopt;
}

// Writes to `file` until the file system holding it has no byte left.
inline void fillFileSystem(const fs::path& file) {
    const int fd = ::open(file.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    const std::string block(4096, 'z');
    while (fd >= 0 && ::write(fd, block.data(), block.size()) > 0) {
    }
    const char one = 'z';
    while (fd >= 0 && ::write(fd, &one, 1) > 0) {
    }
    ::close(fd);
}

inline std::string contents(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Names in a folder, sorted: a failed write leaves no temporary file behind.
inline std::string namesIn(const fs::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder)) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    std::string joined;
    for (const auto& name : names) {
        joined += (joined.empty() ? "" : " ") + name;
    }
    return joined;
}

// A check inside a scenario: the text of a failed expectation, or nothing.
inline std::string expect(bool holds, const std::string& what) {
    return holds ? std::string() : what + "\n";
}

} // namespace zebtest
