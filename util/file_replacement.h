#pragma once

#include "util/failure.h"
#include "util/file_replacement_platform.h"

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace util {

// Replaces a file whole or not at all: the new content goes to a temporary file beside the
// target, which is renamed over it once complete and synced. Where the folder takes no new file
// but the target exists and may be written, the content is staged in the temporary folder and
// copied over the target at commit, as a shell's ">" would write it; a failure part-way then
// says the file may be incomplete. A link is followed, so the file
// it names is replaced and the link stays; a folder or a special file (a device, a pipe) is
// refused, since renaming over it would replace the node itself, and so is a file the user may
// not write. The replaced file keeps its mode, and its owner where the program may keep it.
// Until commit() the target is untouched, and the temporary file goes with the object, or with
// the program when any signal whose default is to end it arrives (SIGINT, SIGTERM, SIGPIPE,
// SIGXCPU, SIGUSR1, SIGALRM, SIGSEGV, ...; the handlers are installed at the first replacement
// where the program left the default; SIGXFSZ is then ignored, so a file-size limit fails the
// write instead of ending the program) or, on Windows, with Ctrl-C, Ctrl-Break or the console
// closing. The temporary name is short (".zeb-PID-N-N.tmp"), so a target named up to the
// system's limit can be replaced. On Windows the content is flushed and moved over the target
// (write-through); a read-only target is refused.
class FileReplacement {
public:
    // Starts replacing `target`; on failure, the reason (without the file's name).
    static Result<FileReplacement> begin(const std::filesystem::path& target);

    FileReplacement(FileReplacement&& other) noexcept;
    FileReplacement& operator=(FileReplacement&&) = delete;
    ~FileReplacement();

    // Where the new content is written, through write() or by another writer by name.
    const std::filesystem::path& temporaryPath() const { return m_opened.temporary; }

    // Adds the bytes to the new content; on failure, the reason (without the file's name).
    std::optional<std::string> write(std::string_view bytes);

    // Makes the written content durable and puts it in the target's place; on failure, the
    // reason (without the file's name), and the target stays as it was.
    std::optional<Failure> commit();

private:
    explicit FileReplacement(replacement::Opened opened);

    replacement::Opened m_opened;
    int m_slot = -1; // where an interruption finds the temporary file to remove
    bool m_done = false;
};

// "Não foi possível gravar o arquivo PATH: REASON", the path's control characters as codes.
std::string writeFailure(const std::filesystem::path& path, const std::string& reason);

// "Não foi possível gravar o arquivo PATH: REASON" as a failure to write the output.
Failure writeFailure(const std::filesystem::path& path, const Failure& reason);

// Writes the bytes as the whole content of the file, through a FileReplacement. Returns
// "Não foi possível gravar o arquivo PATH: REASON" (control characters of PATH as codes) on
// failure, nothing on success.
std::optional<Failure> writeFileAtomically(const std::filesystem::path& path,
                                           std::string_view bytes);

} // namespace util
