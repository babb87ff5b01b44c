#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

namespace util {

// Replaces a file whole or not at all: the new content goes to a temporary file beside the
// target, which is renamed over it once complete and synced. A link is followed, so the file
// it names is replaced and the link stays; a folder or a special file (a device, a pipe) is
// refused, since renaming over it would replace the node itself. Until commit() succeeds the
// target is untouched, and the temporary file goes with the object.
class FileReplacement {
public:
    // Starts replacing `target`; on failure, the reason (without the file's name).
    static std::variant<FileReplacement, std::string> begin(const std::filesystem::path& target);

    FileReplacement(FileReplacement&& other) noexcept;
    FileReplacement& operator=(FileReplacement&&) = delete;
    ~FileReplacement();

    // Where the new content is written, through descriptor() or by another writer by name.
    const std::filesystem::path& temporaryPath() const { return m_temporary; }
    int descriptor() const { return m_fd; }

    // Makes the written content durable and puts it in the target's place; on failure, the
    // reason, and the target stays as it was.
    std::optional<std::string> commit();

private:
    FileReplacement(std::filesystem::path target, std::filesystem::path temporary, int fd);

    std::filesystem::path m_target;
    std::filesystem::path m_temporary;
    int m_fd = -1;
    bool m_done = false;
};

// Writes the bytes as the whole content of the file, through a FileReplacement. Returns
// "Não foi possível gravar o arquivo PATH: REASON" on failure, nothing on success.
std::optional<std::string> writeFileAtomically(const std::filesystem::path& path,
                                               std::string_view bytes);

} // namespace util
