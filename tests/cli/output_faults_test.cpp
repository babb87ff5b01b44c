// zeb-calc --output under faults: a path that is a folder, a full file system, one mounted
// read-only, a folder of root's written by another user, and a file-size limit. Each time the
// command exits 1 saying why, prints nothing on standard output, leaves any old file exactly as
// it was and leaves nothing else behind.
#include "tests/cli/limit_notes.h"
#include "tests/cli/process_runner.h"
#include "tests/fault_injection.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <sys/resource.h>
#include <unistd.h>

namespace cli {
namespace {

namespace fs = std::filesystem;
using fixtures::ProcessOutcome;
using fixtures::runZebCalcProcess;
using fixtures::withoutLimitNotes;
using zebtest::contents;
using zebtest::expect;
using zebtest::namesIn;

std::vector<std::string> reportTo(const fs::path& target) {
    return fixtures::workedExampleArguments("1 h", {"--locale", "C", "--output", target.string()});
}

class OutputFaults : public ::testing::Test {
protected:
    void SetUp() override {
        m_folder =
            fs::path(::testing::TempDir()) / ("zeb-output-faults-" + std::to_string(getpid()));
        fs::create_directories(m_folder);
        fs::permissions(m_folder, fs::perms(0755));
    }
    void TearDown() override { fs::remove_all(m_folder); }

    void put(const fs::path& file) const {
        std::ofstream(file, std::ios::binary) << "relatório antigo";
    }

    // Runs the command onto an existing file and checks that it was refused for `reason`.
    std::string refused(const fs::path& target, int reason, const std::string& namesBefore) const {
        const ProcessOutcome run = runZebCalcProcess(reportTo(target), {{"LANG", "C"}});
        const std::string expected = "zeb-calc: Não foi possível gravar o arquivo " +
                                     target.string() + ": " + std::strerror(reason) + "\n";
        return expect(run.exitCode == 1, "exit status " + std::to_string(run.exitCode)) +
               expect(withoutLimitNotes(run.err) == expected, "stderr: " + run.err) +
               expect(run.out.empty(), "stdout: " + run.out) +
               expect(contents(target) == "relatório antigo", "the old file changed") +
               expect(namesIn(m_folder) == namesBefore, "left in the folder: " + namesIn(m_folder));
    }

    static void check(const zebtest::ChildResult& result) {
        if (result.skipped) {
            GTEST_SKIP() << *result.skipped;
        }
        EXPECT_EQ(result.failures, "");
    }

    fs::path m_folder;
};

TEST_F(OutputFaults, PathThatIsAFolder) {
    const fs::path target = m_folder / "pasta";
    fs::create_directory(target);
    const ProcessOutcome run = runZebCalcProcess(reportTo(target), {{"LANG", "C"}});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(withoutLimitNotes(run.err), "zeb-calc: Não foi possível gravar o arquivo " +
                                              target.string() + ": " + std::strerror(EISDIR) +
                                              "\n");
    EXPECT_TRUE(fs::is_directory(target));
    EXPECT_EQ(namesIn(m_folder), "pasta");
    EXPECT_EQ(namesIn(target), "");
}

TEST_F(OutputFaults, FullFileSystem) {
    const fs::path target = m_folder / "relatorio.txt";
    check(zebtest::runInChild([&] { return zebtest::mountSmallFileSystem(m_folder, 64 * 1024); },
                              [&] {
                                  put(target);
                                  zebtest::fillFileSystem(m_folder / "enchimento");
                                  return refused(target, ENOSPC, "enchimento relatorio.txt");
                              }));
}

TEST_F(OutputFaults, ReadOnlyFileSystem) {
    const fs::path target = m_folder / "relatorio.txt";
    check(zebtest::runInChild(
        [&] {
            return zebtest::mountSmallFileSystem(
                m_folder, 64 * 1024, [&] { put(target); }, true);
        },
        [&] { return refused(target, EROFS, "relatorio.txt"); }));
}

TEST_F(OutputFaults, FolderOfAnotherUser) {
    const fs::path target = m_folder / "relatorio.txt";
    put(target);
    check(zebtest::runInChild([] { return zebtest::becomeOtherUser(); },
                              [&] { return refused(target, EACCES, "relatorio.txt"); }));
}

// A disk that fills up half-way through the report, as a file-size limit on the command.
TEST_F(OutputFaults, FileSizeLimit) {
    const fs::path target = m_folder / "relatorio.txt";
    put(target);
    check(zebtest::runInChild(
        [] {
            std::signal(SIGXFSZ, SIG_IGN); // stays ignored in the command it starts
            const rlimit small{1024, 1024};
            if (::setrlimit(RLIMIT_FSIZE, &small) != 0) {
                return std::optional<std::string>("cannot limit the file size");
            }
            return std::optional<std::string>();
        },
        [&] { return refused(target, EFBIG, "relatorio.txt"); }));
}

} // namespace
} // namespace cli
