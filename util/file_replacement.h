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
// refused, since renaming over it would replace the node itself, and so is a file the user may
// not write. The replaced file keeps its mode, and its owner where the program may keep it.
// Until commit() succeeds the target is untouched, and the temporary file goes with the object,
// or with the program when SIGINT, SIGTERM, SIGHUP or SIGQUIT ends it (the handlers are
// installed at the first replacement where the program left the default; SIGXFSZ is then
// ignored, so a file-size limit fails the write instead of ending the program).
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
    int m_slot = -1; // where an interruption finds the temporary file to remove
    bool m_done = false;
};

// Writes the bytes as the whole content of the file, through a FileReplacement; when no new
// file can be made in its folder, over the existing file itself (a failure part-way then says
// the file may be incomplete). Returns "Não foi possível gravar o arquivo PATH: REASON" on
// failure, nothing on success.
std::optional<std::string> writeFileAtomically(const std::filesystem::path& path,
                                               std::string_view bytes);

} // namespace util
