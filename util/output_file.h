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
    // Buffered writes to a descriptor, keeping the errno of the first that fails.
    struct Buffer : std::streambuf {
        explicit Buffer(int descriptor);
        int overflow(int character) override;
        int sync() override;

        int fd;
        int failure = 0;
        std::array<char, 65536> bytes{};
    };

    OutputFile(std::filesystem::path target, FileReplacement replacement);

    std::filesystem::path m_target;
    FileReplacement m_replacement;
    Buffer m_buffer;
    std::ostream m_stream;
};

} // namespace util
