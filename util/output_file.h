#pragma once

#include "util/file_replacement.h"

#include <array>
#include <filesystem>
#include <memory>
#include <optional>
#include <ostream>
#include <streambuf>
#include <string>

namespace util {

// A file written as it is produced (a batch, a study), through a FileReplacement: the target
// changes only at commit(), and a write that fails keeps the system's reason. Failures read
// "Não foi possível gravar o arquivo PATH: REASON".
class OutputFile {
public:
    static Result<std::unique_ptr<OutputFile>> open(const std::filesystem::path& target);

    std::ostream& stream() { return m_stream; }

    // Writes what is buffered and puts the file in place; on failure, why.
    std::optional<Failure> commit();

private:
    // Buffered writes to the replacement, keeping the reason of the first that fails.
    struct Buffer : std::streambuf {
        explicit Buffer(FileReplacement& replacement);
        int overflow(int character) override;
        int sync() override;

        FileReplacement& file;
        std::optional<std::string> failure;
        std::array<char, 65536> bytes{};
    };

    OutputFile(std::filesystem::path target, FileReplacement replacement);

    std::filesystem::path m_target;
    FileReplacement m_replacement;
    Buffer m_buffer;
    std::ostream m_stream;
};

} // namespace util
