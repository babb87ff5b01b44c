#pragma once

#include <span>
#include <string_view>

namespace cli {

// The uses of zeb-calc an option belongs to.
enum OptionUse : unsigned {
    kUseRun = 1,       // a single run or a study
    kUseStudyOnly = 2, // a study only
    kUseList = 4,
    kUseBuild = 8,
    kUseBatch = 16,
    kUseFitIdf = 32, // an IDF equation fitted from a daily series
};

// One option of zeb-calc: its name, whether a value follows it, and the uses it belongs to.
// The run's inputs take their names from calc's list of them.
struct CommandOption {
    std::string_view name;
    bool takesValue;
    unsigned uses;
};

std::span<const CommandOption> commandOptions();

// The option of this name; none for an unknown one.
const CommandOption* findCommandOption(std::string_view name);

// What a block of the help is; the manual page takes the sections, entries and notes.
enum class HelpKind {
    Intro,   // what the program does, before the first section
    Section, // a section's title, with the blank line before it
    Entry,   // an option's heading ("--cn CN") and its description, lines apart
    Note,    // a paragraph within a section, indented as printed
    Outro,   // the number format, the environment and the exit codes
};

// One block of the help; every text but an entry's is printed as it stands. An entry may go
// on with the sentence of the one before it, as --drop's does with --length's.
struct HelpBlock {
    HelpKind kind;
    std::string_view heading;
    std::string_view text;
    bool continuesPrevious = false;
};

std::span<const HelpBlock> helpBlocks();

} // namespace cli
