// The atomic writer under faults the other writer tests cannot make as root: a file system that
// is full, one mounted read-only, and a folder of root's written by another user. Each time the
// old file stays exactly as it was, nothing else is left in the folder, and the message names
// the file and the system's reason.
#include "report/report_file.h"
#include "tests/fault_injection.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>

#include <unistd.h>

namespace report {
namespace {

namespace fs = std::filesystem;
using zebtest::contents;
using zebtest::expect;
using zebtest::namesIn;

class WriteFaults : public ::testing::Test {
protected:
    void SetUp() override {
        m_folder =
            fs::path(::testing::TempDir()) / ("zeb-write-faults-" + std::to_string(getpid()));
        fs::create_directories(m_folder);
        fs::permissions(m_folder, fs::perms(0755));
    }
    void TearDown() override { fs::remove_all(m_folder); }

    // A refused write: the message names the file and the reason, the old file is intact and
    // the folder holds what it held.
    static std::string refused(const fs::path& target, int reason, const std::string& namesBefore,
                               const fs::path& folder) {
        const auto message = writeFileAtomically(target, std::string(20000, 'n'));
        const std::string expected =
            "Não foi possível gravar o arquivo " + target.string() + ": " + std::strerror(reason);
        return expect(message == expected, "message: " + message.value_or("(none)")) +
               expect(contents(target) == "relatório antigo", "the old file changed") +
               expect(namesIn(folder) == namesBefore, "left in the folder: " + namesIn(folder));
    }

    void put(const fs::path& file) const {
        std::ofstream(file, std::ios::binary) << "relatório antigo";
    }

    fs::path m_folder;
};

TEST_F(WriteFaults, FullFileSystemKeepsTheOldFileAndWritesOnceThereIsRoom) {
    const fs::path target = m_folder / "relatorio.txt";
    const fs::path filler = m_folder / "enchimento";
    const auto result = zebtest::runInChild(
        [&] { return zebtest::mountSmallFileSystem(m_folder, 64 * 1024); },
        [&] {
            put(target);
            zebtest::fillFileSystem(filler);
            std::string failures = refused(target, ENOSPC, "enchimento relatorio.txt", m_folder);
            fs::remove(filler);
            const auto again = writeFileAtomically(target, std::string(20000, 'n'));
            failures += expect(!again, "with room again: " + again.value_or("")) +
                        expect(contents(target) == std::string(20000, 'n'), "not replaced whole");
            return failures;
        });
    if (result.skipped) {
        GTEST_SKIP() << *result.skipped;
    }
    EXPECT_EQ(result.failures, "");
}

TEST_F(WriteFaults, ReadOnlyFileSystemKeepsTheOldFile) {
    const fs::path target = m_folder / "relatorio.txt";
    const auto result = zebtest::runInChild(
        [&] {
            return zebtest::mountSmallFileSystem(
                m_folder, 64 * 1024, [&] { put(target); }, true);
        },
        [&] { return refused(target, EROFS, "relatorio.txt", m_folder); });
    if (result.skipped) {
        GTEST_SKIP() << *result.skipped;
    }
    EXPECT_EQ(result.failures, "");
}

// The tests run as root, to whom folder permissions do not apply; another user meets them.
TEST_F(WriteFaults, FolderOfAnotherUserKeepsTheOldFile) {
    const fs::path target = m_folder / "relatorio.txt";
    put(target);
    const auto result =
        zebtest::runInChild([] { return zebtest::becomeOtherUser(); },
                            [&] { return refused(target, EACCES, "relatorio.txt", m_folder); });
    if (result.skipped) {
        GTEST_SKIP() << *result.skipped;
    }
    EXPECT_EQ(result.failures, "");
}

} // namespace
} // namespace report
