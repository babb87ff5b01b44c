#include "ui/sysinfo.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <string>
#include <thread>
#include <tuple>
#include <vector>

#include <QByteArray>
#include <QTemporaryDir>

namespace {

using namespace std::string_literals;

// A value stored the way the system returns it: the bytes written into a zero-filled buffer.
ui::RawKeyValue stored(std::uint32_t type, const std::string& data) {
    ui::RawKeyValue value;
    value.type = type;
    value.buffer.assign(ui::kKeyValueBufferSize, '\0');
    value.buffer.replace(0, data.size(), data);
    value.dataSize = static_cast<std::uint32_t>(data.size());
    return value;
}

// Answers the look-ups from a table and records every call.
class FakePlatform : public ui::SysInfoPlatform {
public:
    std::map<std::string, ui::RawKeyValue> values; // by key name
    std::set<std::string> files;
    std::set<std::string> startable;

    std::vector<std::string> lookedUp;
    std::vector<std::string> started;

    std::optional<ui::RawKeyValue> readKeyValue(const ui::KeyLookup& lookup) override {
        lookedUp.emplace_back(lookup.keyName);
        const auto it = values.find(std::string(lookup.keyName));
        if (it == values.end()) {
            return std::nullopt;
        }
        return it->second;
    }
    bool isOrdinaryFile(const std::string& path) override { return files.count(path) > 0; }
    bool startProgram(const std::string& path) override {
        if (startable.count(path) == 0) {
            return false;
        }
        started.push_back(path);
        return true;
    }
};

const std::string kPathKey(ui::kSysInfoPathLookup.keyName);
const std::string kFolderKey(ui::kSysInfoFolderLookup.keyName);

TEST(StartSysInfo, StartsTheToolNamedByTheFirstLookUpWithoutTryingTheSecond) {
    FakePlatform fake;
    fake.values[kPathKey] = stored(ui::kRegSz, "C:\\Tools\\msinfo32.exe\0"s);
    fake.values[kFolderKey] = stored(ui::kRegSz, "C:\\Other\0"s);
    fake.startable = {"C:\\Tools\\msinfo32.exe", "C:\\Other\\MSINFO32.EXE"};
    fake.files = fake.startable;

    EXPECT_TRUE(ui::startSysInfoTool(fake));
    EXPECT_EQ(fake.started, std::vector<std::string>{"C:\\Tools\\msinfo32.exe"});
    EXPECT_EQ(fake.lookedUp, std::vector<std::string>{kPathKey});
}

TEST(StartSysInfo, StartsTheToolFromTheFolderOfTheSecondLookUp) {
    FakePlatform fake;
    fake.values[kFolderKey] = stored(ui::kRegSz, "C:\\Shared\0"s);
    fake.files = {"C:\\Shared\\MSINFO32.EXE"};
    fake.startable = fake.files;

    EXPECT_TRUE(ui::startSysInfoTool(fake));
    EXPECT_EQ(fake.started, std::vector<std::string>{"C:\\Shared\\MSINFO32.EXE"});
    EXPECT_EQ(fake.lookedUp, (std::vector<std::string>{kPathKey, kFolderKey}));
}

// Each row ends in the unavailability message: nothing is started.
TEST(StartSysInfo, ReportsTheToolUnavailable) {
    struct Case {
        const char* what;
        std::map<std::string, ui::RawKeyValue> values;
        std::set<std::string> files;
        std::vector<std::string> expectedLookUps;
    };
    const std::vector<Case> cases = {
        {"both look-ups missing", {}, {}, {kPathKey, kFolderKey}},
        {"folder without the tool's file",
         {{kFolderKey, stored(ui::kRegSz, "C:\\Shared\0"s)}},
         {"C:\\Shared\\msinfo.exe"},
         {kPathKey, kFolderKey}},
        {"first look-up names a file that does not exist",
         {{kPathKey, stored(ui::kRegSz, "C:\\Gone\\msinfo32.exe\0"s)},
          {kFolderKey, stored(ui::kRegSz, "C:\\Shared\0"s)}},
         {"C:\\Shared\\MSINFO32.EXE"},
         {kPathKey}},
        {"first value of size 0 is an error, the second is not tried",
         {{kPathKey, stored(ui::kRegSz, ""s)}, {kFolderKey, stored(ui::kRegSz, "C:\\Shared\0"s)}},
         {"C:\\Shared\\MSINFO32.EXE"},
         {kPathKey}},
        {"second value of size 0",
         {{kFolderKey, stored(ui::kRegSz, ""s)}},
         {"\\MSINFO32.EXE"},
         {kPathKey, kFolderKey}},
        {"first value of another type leaves an empty path",
         {{kPathKey, stored(7, "C:\\Tools\\msinfo32.exe\0"s)}},
         {},
         {kPathKey}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        FakePlatform fake;
        fake.values = c.values;
        fake.files = c.files;
        fake.startable = {"C:\\Shared\\MSINFO32.EXE", "C:\\Tools\\msinfo32.exe"};
        for (const std::string& file : c.files) {
            fake.startable.insert(file);
        }
        EXPECT_FALSE(ui::startSysInfoTool(fake));
        EXPECT_TRUE(fake.started.empty());
        EXPECT_EQ(fake.lookedUp, c.expectedLookUps);
    }
}

TEST(GetKeyValue, EmptiesTheTextWhenTheValueIsMissing) {
    FakePlatform fake;
    std::string KeyVal = "left over";
    EXPECT_EQ(ui::GetKeyValue(fake, ui::kSysInfoPathLookup, KeyVal), ui::KeyValueRead::Missing);
    EXPECT_EQ(KeyVal, "");
}

TEST(GetKeyValue, KeepsTheTextForAValueOfAnotherType) {
    FakePlatform fake;
    fake.values[kPathKey] = stored(3, "\x01\x02"s);
    std::string KeyVal = "before";
    EXPECT_EQ(ui::GetKeyValue(fake, ui::kSysInfoPathLookup, KeyVal), ui::KeyValueRead::Read);
    EXPECT_EQ(KeyVal, "before");
}

TEST(DecodeKeyValue, CutsTheBufferAtTheDataSize) {
    const std::vector<std::tuple<const char*, ui::RawKeyValue, std::string>> rows = {
        {"closing zero dropped", stored(ui::kRegSz, "C:\\x.exe\0"s), "C:\\x.exe"},
        {"no closing zero: every byte kept", stored(ui::kRegSz, "C:\\x.exe"s), "C:\\x.exe"},
        {"only the last zero dropped", stored(ui::kRegSz, "ab\0\0"s), "ab\0"s},
        {"a lone zero is the empty text", stored(ui::kRegSz, "\0"s), ""},
        {"the full buffer", stored(ui::kRegSz, std::string(1024, 'x')), std::string(1024, 'x')},
        {"32-bit number, low byte first", stored(ui::kRegDword, "\x01\x02\0\0"s), "513"},
        {"32-bit zero", stored(ui::kRegDword, "\0\0\0\0"s), "0"},
        {"32-bit maximum", stored(ui::kRegDword, "\xff\xff\xff\xff"s), "4294967295"},
    };
    for (const auto& [what, value, expected] : rows) {
        SCOPED_TRACE(what);
        EXPECT_EQ(ui::decodeKeyValue(value, "previous"), expected);
    }

    // The bytes beyond the data size are never read, whatever they hold.
    ui::RawKeyValue dirty = stored(ui::kRegSz, "abc\0"s);
    dirty.buffer[4] = 'z';
    EXPECT_EQ(ui::decodeKeyValue(dirty, ""), "abc");
}

TEST(DecodeKeyValue, RefusesASizeWithNoDataToCut) {
    EXPECT_EQ(ui::decodeKeyValue(stored(ui::kRegSz, ""s), "x"), std::nullopt);
    EXPECT_EQ(ui::decodeKeyValue(stored(ui::kRegDword, ""s), "x"), std::nullopt);
    ui::RawKeyValue tooLong = stored(ui::kRegSz, "abc"s);
    tooLong.dataSize = ui::kKeyValueBufferSize + 1;
    EXPECT_EQ(ui::decodeKeyValue(tooLong, "x"), std::nullopt);
}

TEST(SystemSysInfoPlatform, AnswersOnlyTheFirstLookUpAndNeverWithAnUnusableText) {
    const auto platform = ui::makeSystemSysInfoPlatform();
    EXPECT_EQ(platform->readKeyValue(ui::kSysInfoFolderLookup), std::nullopt);
    if (const auto value = platform->readKeyValue(ui::kSysInfoPathLookup)) {
        const auto text = ui::decodeKeyValue(*value, "");
        ASSERT_TRUE(text.has_value());
        EXPECT_TRUE(platform->isOrdinaryFile(*text)) << *text;
    }
    EXPECT_FALSE(platform->isOrdinaryFile("/"));
    EXPECT_FALSE(platform->startProgram(""));
    EXPECT_FALSE(platform->startProgram("/nonexistent/zeb-no-such-program"));
}

// The desktop's answer: the first program of its list found on the PATH, started directly.
TEST(SystemSysInfoPlatform, FindsTheFirstListedProgramOnThePathAndStartsIt) {
#ifdef _WIN32
    GTEST_SKIP() << "the registry answers on Windows";
#else
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const std::filesystem::path folder = dir.path().toStdString();
    const std::filesystem::path marker = folder / "started";
    for (const char* name : {"gnome-system-monitor", "kinfocenter"}) {
        std::ofstream(folder / name) << "#!/bin/sh\necho $0 > '" << marker.string() << "'\n";
        std::filesystem::permissions(folder / name, std::filesystem::perms::owner_all);
    }
    const QByteArray oldPath = qgetenv("PATH");
    qputenv("PATH", QByteArray::fromStdString(folder.string()));
    const auto platform = ui::makeSystemSysInfoPlatform();
    const auto value = platform->readKeyValue(ui::kSysInfoPathLookup);
    qputenv("PATH", oldPath);

    ASSERT_TRUE(value.has_value());
    const std::string expected = (folder / "kinfocenter").string();
    EXPECT_EQ(ui::decodeKeyValue(*value, ""), expected);
    ASSERT_TRUE(platform->startProgram(expected));
    // Started detached: wait for the program to leave its mark.
    std::string startedAs;
    for (int i = 0; i < 500 && startedAs != expected; ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
        std::ifstream in(marker);
        std::getline(in, startedAs);
    }
    EXPECT_EQ(startedAs, expected);
#endif
}

} // namespace
