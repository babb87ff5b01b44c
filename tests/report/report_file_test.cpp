#include "report/report_file.h"

#include "tests/report/worked_example.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace report {
namespace {

namespace fs = std::filesystem;

struct EncodingCase {
    const char* utf8;
    const char* windows1252;
};

class Windows1252 : public ::testing::TestWithParam<EncodingCase> {};

TEST_P(Windows1252, OneBytePerCharacterAndAQuestionMarkForWhatItCannotHold) {
    EXPECT_EQ(toWindows1252(GetParam().utf8), GetParam().windows1252);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Windows1252,
    ::testing::Values(
        EncodingCase{"Rio: ", "Rio: "}, EncodingCase{"Área", "\xC1rea"},
        EncodingCase{"Precipitação", "Precipita\xE7\xE3o"},
        EncodingCase{"Desnível recessão ascenção", "Desn\xEDvel recess\xE3o ascen\xE7\xE3o"},
        EncodingCase{"Vazão (m³/s) km²", "Vaz\xE3o (m\xB3/s) km\xB2"},
        EncodingCase{"Ribeirão São João ê ô õ ü Ç É",
                     "Ribeir\xE3o S\xE3o Jo\xE3o \xEA \xF4 \xF5 \xFC \xC7 \xC9"},
        EncodingCase{"\u00A0ÿ", "\xA0\xFF"},
        // The code page's own characters in 0x80..0x9F.
        EncodingCase{"€ ‚ƒ„…†‡ˆ‰Š‹ŒŽ", "\x80 \x82\x83\x84\x85\x86\x87\x88\x89\x8A\x8B\x8C\x8E"},
        EncodingCase{"‘’“”•–—˜™š›œžŸ", "\x91\x92\x93\x94\x95\x96\x97\x98\x99\x9A\x9B\x9C\x9E\x9F"},
        // Characters outside it, and the C1 controls it leaves unassigned.
        EncodingCase{"Rio 中文", "Rio ??"}, EncodingCase{"\xF0\x9F\x98\x80!", "?!"},
        EncodingCase{"\u0141\u0107", "??"}, EncodingCase{"\u0081\u008D\u0090", "???"},
        // Bytes that are not UTF-8: each one is a question mark, none is dropped.
        EncodingCase{"a\xFF"
                     "b",
                     "a?b"},
        EncodingCase{"a\x80"
                     "b",
                     "a?b"},
        EncodingCase{"\xC3", "?"}, EncodingCase{"\xC3(", "?("}, EncodingCase{"\xC0\xAF", "??"},
        EncodingCase{"\xED\xA0\x80", "???"}, EncodingCase{"\xF4\x90\x80\x80", "????"},
        EncodingCase{"\xE2\x82", "??"}));

TEST(Windows1252, KeepsControlAndNulBytes) {
    EXPECT_EQ(toWindows1252(std::string("a\0b\tc", 5)), std::string("a\0b\tc", 5));
}

TEST(ReportFileBytes, EveryLineEndsWithCarriageReturnAndLineFeed) {
    const std::vector<ReportLine> lines =
        composeReportLines(testing::workedExampleRecord(), "Córrego do Exemplo",
                           "Posto Ilustrativo", "2024-05-17 14:03:09", NumberStyle{});
    std::string expected;
    for (const ReportLine& line : lines) {
        expected += toWindows1252(line.text) + "\r\n";
    }
    const std::string bytes = reportFileBytes(lines);
    EXPECT_EQ(bytes, expected);
    EXPECT_EQ(bytes.substr(0, 9), "Pelvanith") << "no byte-order mark";
    EXPECT_EQ(std::count(bytes.begin(), bytes.end(), '\n'), 47);
    EXPECT_EQ(std::count(bytes.begin(), bytes.end(), '\r'), 47);
    EXPECT_NE(bytes.find("Rio: C\xF3rrego do Exemplo\r\n"), std::string::npos);
    EXPECT_NE(bytes.find("\r\n\r\n"), std::string::npos) << "line 3 is empty";
}

// A folder of its own per test, removed afterwards.
class AtomicWrite : public ::testing::Test {
protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "zeb-report-XXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        m_folder = pattern;
    }
    void TearDown() override {
        std::error_code ignored;
        fs::permissions(m_folder, fs::perms::owner_all, fs::perm_options::add, ignored);
        fs::remove_all(m_folder, ignored);
    }

    static std::string contents(const fs::path& path) {
        std::ifstream file(path, std::ios::binary);
        return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    }

    static void put(const fs::path& path, const std::string& bytes) {
        std::ofstream(path, std::ios::binary) << bytes;
    }

    // Names in the folder: a failure must leave no temporary file behind.
    std::vector<std::string> names() const {
        std::vector<std::string> found;
        for (const auto& entry : fs::directory_iterator(m_folder)) {
            found.push_back(entry.path().filename().string());
        }
        std::sort(found.begin(), found.end());
        return found;
    }

    static std::string expectedMessage(const fs::path& path, int error) {
        return "Não foi possível gravar o arquivo " + path.string() + ": " + std::strerror(error);
    }

    fs::path m_folder;
};

TEST_F(AtomicWrite, ReplacesTheWholeFileAndKeepsItsPermissions) {
    const fs::path target = m_folder / "relatorio.txt";
    put(target, std::string(10000, 'x'));
    fs::permissions(target, fs::perms(0640));

    EXPECT_EQ(writeFileAtomically(target, "novo\r\n"), std::nullopt);
    EXPECT_EQ(contents(target), "novo\r\n");
    EXPECT_EQ(fs::status(target).permissions() & fs::perms::all, fs::perms(0640));
    EXPECT_EQ(names(), std::vector<std::string>{"relatorio.txt"});

    const fs::path created = m_folder / "novo.txt";
    EXPECT_EQ(writeFileAtomically(created, ""), std::nullopt);
    EXPECT_TRUE(fs::is_regular_file(created));
    EXPECT_EQ(fs::file_size(created), 0u);
}

TEST_F(AtomicWrite, WritesThroughALinkAndKeepsTheLink) {
    const fs::path target = m_folder / "real.txt";
    const fs::path link = m_folder / "link.txt";
    put(target, "old");
    fs::create_symlink(target, link);
    EXPECT_EQ(writeFileAtomically(link, "new"), std::nullopt);
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(contents(target), "new");
}

TEST_F(AtomicWrite, MissingFolderFailsWithTheReason) {
    const fs::path target = m_folder / "nao-existe" / "relatorio.txt";
    EXPECT_EQ(writeFileAtomically(target, "x"), expectedMessage(target, ENOENT));
    EXPECT_TRUE(names().empty());
}

TEST_F(AtomicWrite, DirectoryAsTargetFailsAndStays) {
    const fs::path target = m_folder / "pasta";
    fs::create_directory(target);
    EXPECT_EQ(writeFileAtomically(target, "x"), expectedMessage(target, EISDIR));
    EXPECT_TRUE(fs::is_directory(target));
    EXPECT_EQ(names(), std::vector<std::string>{"pasta"});
}

TEST_F(AtomicWrite, SpecialFileIsNotReplaced) {
    const fs::path target = m_folder / "fila";
    ASSERT_EQ(::mkfifo(target.c_str(), 0600), 0);
    const std::optional<std::string> message = writeFileAtomically(target, "x");
    ASSERT_TRUE(message);
    EXPECT_NE(message->find(target.string()), std::string::npos);
    EXPECT_TRUE(fs::is_fifo(target));
    EXPECT_EQ(names(), std::vector<std::string>{"fila"});
}

TEST_F(AtomicWrite, ReadOnlyFolderFailsWithTheReason) {
    if (::geteuid() == 0) {
        GTEST_SKIP() << "running as root, where folder permissions do not block writing";
    }
    const fs::path target = m_folder / "relatorio.txt";
    put(target, "old");
    fs::permissions(m_folder, fs::perms(0555));
    EXPECT_EQ(writeFileAtomically(target, "new"), expectedMessage(target, EACCES));
    EXPECT_EQ(contents(target), "old");
}

// A disk that fills up while writing, simulated with a file-size limit: the write fails
// half-way, the old file stays and the temporary one goes.
TEST_F(AtomicWrite, FailedWriteLeavesTheOldFileAndNoTemporary) {
    const fs::path target = m_folder / "relatorio.txt";
    put(target, "old");

    rlimit saved{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 4096;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    const std::optional<std::string> message =
        writeFileAtomically(target, std::string(100000, 'y'));
    ::setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previousHandler);

    EXPECT_EQ(message, expectedMessage(target, EFBIG));
    EXPECT_EQ(contents(target), "old");
    EXPECT_EQ(names(), std::vector<std::string>{"relatorio.txt"});
}

} // namespace
} // namespace report
