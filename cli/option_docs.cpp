// Writes the option list of zeb-calc's manual page, or the option words of its bash completion,
// from the option table --help is printed from, so that the three never differ. Run by the
// build: zeb-option-docs man|completion TEMPLATE OUTPUT, which copies TEMPLATE to OUTPUT with
// its @OPTIONS@ (and, in the completion, @VALUE_OPTIONS@) replaced.
#include "cli/option_table.h"

#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <string_view>

namespace {

// A line of text as roff prints it: no leading blanks, a minus sign and a backslash escaped, a
// line that would read as a request kept as text.
std::string roffLine(std::string_view line) {
    line.remove_prefix(std::min(line.find_first_not_of(' '), line.size()));
    std::string text = line.starts_with('.') || line.starts_with('\'') ? "\\&" : "";
    for (const char ch : line) {
        text += ch == '-' ? "\\-" : ch == '\\' ? "\\e" : std::string(1, ch);
    }
    return text;
}

std::string roffText(std::string_view text) {
    std::string roff;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = std::min(text.find('\n', start), text.size());
        if (end > start) {
            roff += roffLine(text.substr(start, end - start)) + "\n";
        }
        start = end + 1;
    }
    return roff;
}

std::string manualOptions() {
    std::string roff = ".SH OPÇÕES\n";
    const auto blocks = cli::helpBlocks();
    for (std::size_t i = 0; i < blocks.size(); ++i) {
        const cli::HelpBlock& block = blocks[i];
        std::string body = roffText(block.text);
        switch (block.kind) {
        case cli::HelpKind::Section:
            roff += ".SS " + body.substr(0, body.rfind(':')) + "\n";
            break;
        case cli::HelpKind::Entry:
            roff += ".TP\n.B \"" + roffLine(block.heading) + "\"\n";
            // Entries that share a sentence share one paragraph under both headings.
            for (; i + 1 < blocks.size() && blocks[i + 1].continuesPrevious; ++i) {
                roff += ".TQ\n.B \"" + roffLine(blocks[i + 1].heading) + "\"\n";
                body += roffText(blocks[i + 1].text);
            }
            roff += body;
            break;
        case cli::HelpKind::Note:
            roff += body.empty() ? "" : ".PP\n" + body;
            break;
        case cli::HelpKind::Intro:
        case cli::HelpKind::Outro:
            break; // the page has its own description, environment and exit codes
        }
    }
    return roff;
}

// The options kept, `separator` apart, in lines of at most 88 columns (the first line's
// prefix in the template counted as 8) continued by `continuation`, an indent of 8.
template <typename Keep>
std::string wordList(Keep keep, std::string_view separator, std::string_view continuation) {
    std::string words;
    std::size_t column = 8;
    for (const cli::CommandOption& option : cli::commandOptions()) {
        if (!keep(option)) {
            continue;
        }
        if (!words.empty()) {
            const bool full = column + separator.size() + option.name.size() > 80;
            words += full ? continuation : separator;
            column = full ? 8 : column + separator.size();
        }
        words += option.name;
        column += option.name.size();
    }
    return words;
}

void replace(std::string& text, std::string_view placeholder, const std::string& value) {
    const std::size_t at = text.find(placeholder);
    if (at != std::string::npos) {
        text.replace(at, placeholder.size(), value);
    }
}

} // namespace

int main(int argc, char** argv) {
    const std::string mode = argc == 4 ? argv[1] : "";
    if (mode != "man" && mode != "completion") {
        std::cerr << "usage: zeb-option-docs man|completion TEMPLATE OUTPUT\n";
        return 2;
    }
    std::ifstream in(argv[2], std::ios::binary);
    std::stringstream templateText;
    templateText << in.rdbuf();
    std::string text = templateText.str();
    if (!in || text.find("@OPTIONS@") == std::string::npos) {
        std::cerr << "zeb-option-docs: cannot read the template " << argv[2] << "\n";
        return 1;
    }
    if (mode == "man") {
        replace(text, "@OPTIONS@\n", manualOptions());
    } else {
        replace(text, "@OPTIONS@", wordList([](auto&) { return true; }, " ", "\n        "));
        replace(text, "@VALUE_OPTIONS@",
                wordList([](const cli::CommandOption& option) { return option.takesValue; }, " | ",
                         " | \\\n        "));
    }
    std::ofstream out(argv[3], std::ios::binary);
    out << text;
    out.close();
    return out ? 0 : 1;
}
