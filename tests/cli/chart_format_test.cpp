// zeb-calc's chart formats and the limit notes, run as a process: without a display, written
// whole to --output, and the notes on standard error for every format.
#include "tests/cli/limit_notes.h"
#include "tests/cli/process_runner.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <unistd.h>
#include <vector>

namespace cli {
namespace {

namespace fs = std::filesystem;
using fixtures::limitNoteLine;
using fixtures::ProcessOutcome;
using fixtures::readFile;
using fixtures::runProgramProcess;
using fixtures::runZebCalcProcess;
using Arguments = std::vector<std::string>;

Arguments workedExample(const std::string& duration, const Arguments& more) {
    return fixtures::workedExampleArguments(duration, more);
}

const std::string kBothNotes =
    limitNoteLine(calc::kFloodNotRecededNote) + limitNoteLine(calc::kUnitHydrographCutNote);

class ChartFormats : public testing::Test {
protected:
    void SetUp() override {
        m_folder = fs::path(testing::TempDir()) /
                   ("zeb-calc-chart-" + std::to_string(::getpid()) + "-" +
                    testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(m_folder);
        fs::create_directories(m_folder);
    }
    void TearDown() override { fs::remove_all(m_folder); }

    std::string path(const std::string& name) const { return (m_folder / name).string(); }

    fs::path m_folder;
};

struct FormatCase {
    const char* format;
    std::string magic; // how the file begins
};

// A display that is not there and a platform that would need it: the command draws offscreen
// all the same.
const std::map<std::string, std::string> kNoDisplay = {{"QT_QPA_PLATFORM", "xcb"},
                                                       {"DISPLAY", ":99"}};

TEST_F(ChartFormats, EachIsWrittenWholeWithoutADisplay) {
    for (const FormatCase& c : {FormatCase{"png", "\x89PNG\r\n\x1a\n"}, FormatCase{"svg", "<?xml"},
                                FormatCase{"pdf", "%PDF-"}}) {
        SCOPED_TRACE(c.format);
        const std::string target = path(std::string("chart.") + c.format);
        const ProcessOutcome run = runZebCalcProcess(
            workedExample("1 h", {"--format", c.format, "--output", target}), kNoDisplay);
        EXPECT_EQ(run.exitCode, 0) << run.err;
        EXPECT_EQ(run.out, "");
        EXPECT_EQ(run.err, kBothNotes);
        const std::string bytes = readFile(target);
        EXPECT_EQ(bytes.rfind(c.magic, 0), 0u);
        EXPECT_GT(bytes.size(), 10000u);
        // Only the file itself: the temporary one was renamed into place.
        fs::remove(target);
        EXPECT_TRUE(fs::is_empty(m_folder));
    }
}

TEST_F(ChartFormats, PdfIsOneLandscapePageWithTheChartsTexts) {
    const std::string target = path("chart.pdf");
    ASSERT_EQ(
        runZebCalcProcess(workedExample("1 h", {"--format", "pdf", "--output", target, "--river",
                                                "Rio Sapucaí", "--locale", "pt_BR"}))
            .exitCode,
        0);
    const ProcessOutcome info = runProgramProcess("/usr/bin/pdfinfo", {target});
    EXPECT_NE(info.out.find("Pages:           1\n"), std::string::npos) << info.out;
    EXPECT_NE(info.out.find("842 x 595 pts (A4)"), std::string::npos) << info.out;
    const std::string text = runProgramProcess("/usr/bin/pdftotext", {target, "-"}).out;
    for (const char* part : {"Hidrograma de cheia de projeto – Rio Sapucaí", "Tempo (h)",
                             "Vazão (m³/s)", "Precipitação (mm)", "Pico: 115,33 m³/s em 8,00 h",
                             "Atenção: A cheia não terminou no passo 15"}) {
        EXPECT_NE(text.find(part), std::string::npos) << part << "\n" << text;
    }
}

TEST_F(ChartFormats, NeedOutputAndAreRefusedOtherwise) {
    for (const char* format : {"png", "svg", "pdf"}) {
        const ProcessOutcome run = runZebCalcProcess(workedExample("1 h", {"--format", format}));
        EXPECT_EQ(run.exitCode, 2) << format;
        EXPECT_EQ(run.out, "");
        EXPECT_NE(run.err.find("dê --output ARQUIVO"), std::string::npos) << run.err;
    }
    EXPECT_NE(runZebCalcProcess({"--help"}).out.find("exigem --output"), std::string::npos);
}

TEST_F(ChartFormats, AFailedWriteLeavesNothingAndSaysWhy) {
    // A folder that does not exist, and a name that is a folder.
    fs::create_directories(m_folder / "taken.png");
    for (const std::string& target : {path("missing/chart.png"), path("taken.png")}) {
        const ProcessOutcome run =
            runZebCalcProcess(workedExample("1 h", {"--format", "png", "--output", target}));
        EXPECT_EQ(run.exitCode, 1) << target;
        EXPECT_NE(run.err.find(target), std::string::npos) << run.err;
    }
    EXPECT_TRUE(fs::is_directory(m_folder / "taken.png"));
    EXPECT_TRUE(fs::is_empty(m_folder / "taken.png"));
    EXPECT_EQ(std::distance(fs::directory_iterator(m_folder), fs::directory_iterator()), 1);
}

struct NoteCase {
    const char* duration;
    std::string err;
};

// The notes follow the run, not the format, and change no exit status.
TEST_F(ChartFormats, LimitNotesGoToStandardErrorForEveryFormat) {
    for (const NoteCase& c :
         {NoteCase{"1 h", kBothNotes}, NoteCase{"2 h", limitNoteLine(calc::kFloodNotRecededNote)},
          NoteCase{"4 h", ""}}) {
        for (const char* format : {"report", "json", "csv", "svg"}) {
            SCOPED_TRACE(std::string(c.duration) + " " + format);
            const ProcessOutcome run = runZebCalcProcess(
                workedExample(c.duration, {"--format", format, "--output", path("out")}));
            EXPECT_EQ(run.exitCode, 0);
            EXPECT_EQ(run.err, c.err);
        }
    }
}

} // namespace
} // namespace cli
