// Whole-file replacement on Windows: a failure at any step names the file and the reason, keeps
// the old file exactly as it was and leaves nothing else in the folder; accented names work.
#include "util/file_replacement.h"
#include "util/output_file.h"
#include "util/path_text.h"
#include "util/text.h"

#include "tests/test_files.h"

#include <gtest/gtest.h>

#include <functional>
#include <set>
#include <windows.h>

namespace util {
namespace {

namespace fs = std::filesystem;
using zebtest::readFile;
using zebtest::writeFile;

// The folder's names, sorted, each followed by a blank.
std::string namesIn(const fs::path& folder) {
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder)) {
        names.insert(utf8FromPath(entry.path().filename()) + " ");
    }
    std::string all;
    for (const std::string& name : names) {
        all += name;
    }
    return all;
}

// The content written whole, then as it is produced; what each said, or "none".
std::string writeBothWays(const fs::path& target, const std::string& bytes) {
    const auto whole = writeFileAtomically(target, bytes);
    auto opened = OutputFile::open(target);
    std::optional<Failure> streamed = opened ? std::nullopt : std::optional(opened.failure());
    if (opened) {
        (*opened)->stream() << bytes;
        streamed = (*opened)->commit();
    }
    const std::string first = whole ? whole->message : "none";
    const std::string second = streamed ? streamed->message : "none";
    return first == second ? first : first + " | streamed: " + second;
}

struct Fault {
    const char* target;
    std::function<void(const fs::path& folder)> make; // sets the fault up once r.txt exists
    const char* reason;
    const char* namesAfter;
};

TEST(FileReplacementWindowsTest, EachFailureKeepsTheOldFileAndLeavesNothingBehind) {
    HANDLE lock = INVALID_HANDLE_VALUE;
    const Fault faults[] = {
        // Open elsewhere without leave to delete or rename it: only the move over it fails.
        {"r.txt",
         [&](const fs::path& folder) {
             lock = ::CreateFileW((folder / "r.txt").c_str(), GENERIC_READ,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0,
                                  nullptr);
         },
         "o arquivo está em uso", "r.txt "},
        {"r.txt",
         [](const fs::path& folder) {
             ::SetFileAttributesW((folder / "r.txt").c_str(), FILE_ATTRIBUTE_READONLY);
         },
         "permissão negada", "r.txt "},
        {"pasta", [](const fs::path& folder) { fs::create_directory(folder / "pasta"); },
         "é uma pasta", "pasta r.txt "},
        {"nao-existe/r.txt", [](const fs::path&) {}, "arquivo ou pasta inexistente", "r.txt "},
        {"r?.txt", [](const fs::path&) {}, "o nome do arquivo não é válido", "r.txt "},
    };
    for (const Fault& fault : faults) {
        zebtest::TemporaryFolder folder;
        writeFile(folder / "r.txt", "relatório antigo");
        fault.make(folder.path());
        const fs::path target = folder / fault.target;
        EXPECT_EQ(writeBothWays(target, std::string(100000, 'n')),
                  "Não foi possível gravar o arquivo " + visible(utf8FromPath(target)) + ": " +
                      fault.reason);
        EXPECT_EQ(readFile(folder / "r.txt"), "relatório antigo") << fault.reason;
        EXPECT_EQ(namesIn(folder.path()), fault.namesAfter) << fault.reason;
        ::CloseHandle(lock);
        lock = INVALID_HANDLE_VALUE;
        ::SetFileAttributesW((folder / "r.txt").c_str(), FILE_ATTRIBUTE_NORMAL);
    }
}

TEST(FileReplacementWindowsTest, ReplacesAFileWithAnAccentedNameWhole) {
    zebtest::TemporaryFolder folder;
    const fs::path target = folder.path() / pathFromUtf8("relatório ç ã Ó.txt");
    writeFile(target, std::string(100000, 'x'));
    EXPECT_EQ(writeBothWays(target, "novo\r\n"), "none");
    EXPECT_EQ(readFile(target), "novo\r\n");
    EXPECT_EQ(namesIn(folder.path()), "relatório ç ã Ó.txt ");
}

} // namespace
} // namespace util
