// Whole-file replacement, and every way it can fail: each time the message names the file and
// the reason, the old file stays exactly as it was, and nothing else is left in the folder.
// Faults the test process must not suffer itself (a small file system that fills up, another
// user's rights) are made in a forked child; the mount lives in the child's own mount namespace.
// Mounting and changing user need root.
#include "util/file_replacement.h"
#include "util/output_file.h"
#include "util/text.h"

#include "tests/test_files.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstring>
#include <fstream>
#include <functional>
#include <iostream>
#include <numeric>
#include <set>
#include <vector>

#include <grp.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace util {
namespace {

namespace fs = std::filesystem;
using Step = std::function<std::optional<std::string>(const fs::path& folder)>;

using zebtest::readFile;
using zebtest::writeFile;

// The folder's names, sorted, each followed by a blank.
std::string namesIn(const fs::path& folder) {
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder)) {
        names.insert(entry.path().filename().string() + " ");
    }
    return std::accumulate(names.begin(), names.end(), std::string());
}

// Runs `scenario` in a forked child and returns what it reported: empty when all held, or
// "skip: why" when the fault could not be made here.
std::string inChild(const std::function<std::string()>& scenario) {
    int channel[2];
    if (::pipe(channel) != 0) {
        return "pipe failed";
    }
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(channel[0]);
        const std::string report = scenario();
        const ssize_t written = ::write(channel[1], report.data(), report.size());
        ::_exit(written == static_cast<ssize_t>(report.size()) ? 0 : 1);
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
    return WIFEXITED(status) && WEXITSTATUS(status) == 0 ? report : report + " (child died)";
}

std::optional<std::string> smallFileSystem(const fs::path& folder) {
    if (::geteuid() != 0 || ::unshare(CLONE_NEWNS) != 0 ||
        ::mount("none", "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0 ||
        ::mount("tmpfs", folder.c_str(), "tmpfs", 0, "size=65536") != 0) {
        return "a file system of our own needs root and mount namespaces";
    }
    return std::nullopt;
}

std::optional<std::string> otherUser(const fs::path&) {
    if (::geteuid() != 0 || ::setgroups(0, nullptr) != 0 || ::setgid(65534) != 0 ||
        ::setuid(65534) != 0) {
        return "becoming user 65534 needs root";
    }
    return std::nullopt;
}

// A file-size limit below the new file's size, as a shell's ulimit -f sets it.
std::optional<std::string> sizeLimit(const fs::path&) {
    const rlimit limit{10000, 10000};
    return ::setrlimit(RLIMIT_FSIZE, &limit) == 0 ? std::nullopt : std::optional("no limit");
}

std::optional<std::string> nothing(const fs::path&) {
    return std::nullopt;
}
std::optional<std::string> fill(const fs::path& folder) {
    for (std::ofstream filler(folder / "enchimento", std::ios::binary); filler << 'z';) {
    }
    return std::nullopt;
}

// The user's own file, read-only, in a folder where anyone may create files.
std::optional<std::string> readOnlyFileOfOtherUser(const fs::path& folder) {
    if (::chown((folder / "r.txt").c_str(), 65534, 65534) != 0) {
        return "giving a file to user 65534 needs root";
    }
    fs::permissions(folder / "r.txt", fs::perms(0444));
    fs::permissions(folder, fs::perms(0777));
    return otherUser(folder);
}

struct Fault {
    Step before; // makes the fault's ground; a text when it cannot be made here
    Step after;  // once the old file is there
    const char* target;
    std::string reason;
    const char* namesAfter;
};

// What a write said: its failure's message, which must be one of writing the output, or "none".
std::string said(const std::optional<Failure>& failure) {
    if (!failure) {
        return "none";
    }
    return failure->kind == Failure::Kind::Output ? failure->message : "not an output failure";
}

class FileReplacementTest : public testing::Test {
protected:
    // Open to user 65534, whom some faults take.
    void SetUp() override { fs::permissions(m_folder, fs::perms(0755)); }

    zebtest::TemporaryFolder m_temporary;
    const fs::path m_folder = m_temporary.path();
};

TEST_F(FileReplacementTest, EachFailureKeepsTheOldFileAndLeavesNothingBehind) {
    const Fault faults[] = {
        {nothing, nothing, "nao-existe/r.txt", "arquivo ou pasta inexistente", "r.txt "},
        {[](const fs::path& folder) {
             fs::create_directory(folder / "pasta");
             return nothing(folder);
         },
         nothing, "pasta", "é uma pasta", "pasta r.txt "},
        {[](const fs::path& folder) {
             ::mkfifo((folder / "fila").c_str(), 0600);
             return nothing(folder);
         },
         nothing, "fila", "não é um arquivo comum", "fila r.txt "},
        {smallFileSystem, fill, "r.txt", "não há espaço livre no disco", "enchimento r.txt "},
        {nothing, otherUser, "r.txt", "permissão negada", "r.txt "},
        {nothing, readOnlyFileOfOtherUser, "r.txt", "permissão negada", "r.txt "},
        {nothing, sizeLimit, "r.txt", "o arquivo ficaria grande demais", "r.txt "},
        {[](const fs::path& folder) {
             fs::create_symlink("laço", folder / "laço");
             return nothing(folder);
         },
         nothing, "laço",
         "links simbólicos demais no caminho (talvez um link que aponta para si mesmo)",
         "laço r.txt "},
        {nothing, nothing, "r.txt/x", "uma parte do caminho não é uma pasta", "r.txt "},
        {nothing, nothing, "n\n256", "o nome do arquivo é longo demais", "r.txt "},
    };
    for (const Fault& fault : faults) {
        const std::string report = inChild([&]() -> std::string {
            if (const auto skip = fault.before(m_folder)) {
                return "skip: " + *skip;
            }
            writeFile(m_folder / "r.txt", "relatório antigo");
            if (const auto skip = fault.after(m_folder)) {
                return "skip: " + *skip;
            }
            // A name of 256 bytes, with a line break that the message shows as a code.
            const fs::path target =
                m_folder / (fault.target == std::string("n\n256") ? "n\n" + std::string(254, 'n')
                                                                  : fault.target);
            const std::string expected = "Não foi possível gravar o arquivo " +
                                         visible(target.string()) + ": " + fault.reason;
            const std::string bytes(20000, 'n');
            const std::string message = said(writeFileAtomically(target, bytes));
            std::string failures;
            if (message != expected) {
                failures += "message: " + message + "\n";
            }
            // The same content written as it is produced, the file gone before the folder is read.
            const std::string streamed = [&] {
                auto opened = OutputFile::open(target);
                if (!opened) {
                    return said(opened.failure());
                }
                (*opened)->stream() << bytes;
                return said((*opened)->commit());
            }();
            if (streamed != expected) {
                failures += "streamed: " + streamed + "\n";
            }
            if (readFile(m_folder / "r.txt") != "relatório antigo") {
                failures += "the old file changed\n";
            }
            if (namesIn(m_folder) != fault.namesAfter) {
                failures += "left in the folder: " + namesIn(m_folder) + "\n";
            }
            return failures;
        });
        if (report.rfind("skip: ", 0) == 0) {
            std::cout << fault.target << ": " << report << "\n";
            continue;
        }
        EXPECT_EQ(report, "") << fault.target << " " << fault.reason;
        fs::remove_all(m_folder);
        fs::create_directory(m_folder);
    }
}

TEST_F(FileReplacementTest, ReplacesTheWholeFileThroughALinkKeepingItsMode) {
    // A name at the system's limit: the temporary name beside it stays short.
    EXPECT_EQ(writeFileAtomically(m_folder / std::string(255, 'l'), "x"), std::nullopt);
    fs::remove(m_folder / std::string(255, 'l'));
    const fs::path target = m_folder / "real.txt";
    writeFile(target, std::string(10000, 'x'));
    fs::permissions(target, fs::perms(0640));
    fs::create_symlink(target, m_folder / "link.txt");
    EXPECT_EQ(writeFileAtomically(m_folder / "link.txt", "novo\r\n"), std::nullopt);
    EXPECT_EQ(readFile(target), "novo\r\n");
    EXPECT_TRUE(fs::is_symlink(m_folder / "link.txt"));
    EXPECT_EQ(fs::status(target).permissions() & fs::perms::all, fs::perms(0640));
    EXPECT_EQ(writeFileAtomically(m_folder / "novo.txt", ""), std::nullopt);
    const mode_t mask = ::umask(0);
    ::umask(mask);
    EXPECT_EQ(fs::status(m_folder / "novo.txt").permissions(), fs::perms(0666 & ~mask));
    EXPECT_EQ(namesIn(m_folder), "link.txt novo.txt real.txt ");
}

TEST_F(FileReplacementTest, KeepsTheOwnerAndWritesInPlaceWhereNoNewFileCanBeMade) {
    const fs::path target = m_folder / "r.txt";
    writeFile(target, "old");
    ASSERT_EQ(::chown(target.c_str(), 65534, 65534), 0);
    fs::permissions(target, fs::perms(0640));
    ASSERT_EQ(writeFileAtomically(target, "new"), std::nullopt);
    struct stat written {};
    ::stat(target.c_str(), &written);
    EXPECT_EQ(written.st_uid, 65534u);
    EXPECT_EQ(written.st_mode & 07777, 0640u);

    // The user may write the file but not add one to root's folder.
    const std::string report = inChild([&]() -> std::string {
        if (const auto skip = otherUser(m_folder)) {
            return "";
        }
        const auto message = writeFileAtomically(target, "in place");
        return (message ? message->message : "") +
               (readFile(target) == "in place" ? "" : " not written");
    });
    EXPECT_EQ(report, "");
    EXPECT_EQ(namesIn(m_folder), "r.txt ");
}

// Any signal whose default ends the program removes the temporary files being written, then
// ends the program as the signal would; more replacements at once than the names kept for it
// still work, one dropped uncommitted leaves nothing, and a forked child (the Access reader)
// that dies removes nothing of its parent's.
TEST_F(FileReplacementTest, AnEndingSignalRemovesTheTemporaryFilesAndStops) {
    std::vector<int> signals = {SIGTERM, SIGINT,  SIGHUP,    SIGQUIT, SIGXCPU, SIGUSR1,
                                SIGUSR2, SIGALRM, SIGVTALRM, SIGPIPE, SIGABRT, SIGRTMIN + 3};
#ifndef __SANITIZE_ADDRESS__
    signals.push_back(SIGSEGV); // AddressSanitizer takes SIGSEGV for its own report
#endif
    for (const int signal : signals) {
        const std::string report = inChild([&]() -> std::string {
            const rlimit noCore{0, 0}; // SIGSEGV, SIGABRT and SIGQUIT would dump one
            ::setrlimit(RLIMIT_CORE, &noCore);
            std::vector<FileReplacement> open;
            for (const char* name : {"1", "2", "3", "4", "5", "6", "7", "8", "9"}) {
                open.push_back(*FileReplacement::begin(m_folder / name));
            }
            open.pop_back();
            const pid_t child = ::fork();
            if (child == 0) {
                std::raise(signal);
                ::_exit(0);
            }
            int status = 0;
            ::waitpid(child, &status, 0);
            const auto left = std::distance(fs::directory_iterator(m_folder), {});
            if (!WIFSIGNALED(status) || left != 8) {
                return "the child's signal removed its parent's files: " + namesIn(m_folder);
            }
            std::raise(signal);
            return "not stopped";
        });
        EXPECT_EQ(report, " (child died)") << strsignal(signal);
        EXPECT_EQ(namesIn(m_folder), "") << strsignal(signal);
    }
}

} // namespace
} // namespace util
