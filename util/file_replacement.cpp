#include "util/file_replacement.h"

#include "util/path_text.h"
#include "util/text.h"

#include <array>
#include <atomic>
#include <cstring>

namespace util {

namespace {

using Name = std::filesystem::path::value_type;

Failure outputFailure(std::string reason) {
    return Failure{Failure::Kind::Output, std::move(reason)};
}

// The temporary files being written now, for an interruption: fixed slots of plain characters,
// since a signal handler may use neither the heap nor locks. Each slot keeps the process that
// wrote it, so a forked child (the Access reader) that dies leaves its parent's files.
constexpr std::size_t kSlots = 8;
std::array<std::array<Name, 4096>, kSlots> g_temporaryNames;
std::array<std::atomic<bool>, kSlots> g_slotInUse;
std::array<std::atomic<unsigned long>, kSlots> g_slotOwner;

// Removes every temporary file this process is still writing.
void removeTemporaryFiles() {
    const unsigned long self = replacement::processId();
    for (std::size_t slot = 0; slot < kSlots; ++slot) {
        if (g_slotInUse[slot].load() && g_slotOwner[slot].load() == self) {
            replacement::remove(g_temporaryNames[slot].data());
        }
    }
}

// A slot for the temporary file's name; -1 when all are taken (the file is then only removed
// by the normal paths).
int registerTemporary(const std::filesystem::path& path) {
    const auto& name = path.native();
    for (std::size_t slot = 0; slot < kSlots && name.size() < g_temporaryNames[slot].size();
         ++slot) {
        bool expected = false;
        if (g_slotInUse[slot].compare_exchange_strong(expected, true)) {
            g_slotInUse[slot].store(false);
            std::memcpy(g_temporaryNames[slot].data(), name.c_str(),
                        (name.size() + 1) * sizeof(Name));
            g_slotOwner[slot].store(replacement::processId());
            g_slotInUse[slot].store(true);
            return static_cast<int>(slot);
        }
    }
    return -1;
}

void unregisterTemporary(int slot) {
    if (slot >= 0) {
        g_slotInUse[static_cast<std::size_t>(slot)].store(false);
    }
}

} // namespace

namespace replacement {

std::filesystem::path temporaryName(const std::filesystem::path& folder, int attempt) {
    static std::atomic<unsigned> counter{0};
    return folder / (".zeb-" + std::to_string(processId()) + "-" + std::to_string(counter++) + "-" +
                     std::to_string(attempt) + ".tmp");
}

} // namespace replacement

FileReplacement::FileReplacement(replacement::Opened opened)
    : m_opened(std::move(opened)), m_slot(registerTemporary(m_opened.temporary)) {}

FileReplacement::FileReplacement(FileReplacement&& other) noexcept
    : m_opened(std::move(other.m_opened)), m_slot(other.m_slot), m_done(other.m_done) {
    other.m_opened.file = replacement::kNoFile;
    other.m_slot = -1;
    other.m_done = true;
}

FileReplacement::~FileReplacement() {
    if (m_opened.file != replacement::kNoFile) {
        (void)replacement::close(m_opened.file, false);
    }
    if (!m_done) {
        replacement::remove(m_opened.temporary.c_str());
    }
    unregisterTemporary(m_slot);
}

Result<FileReplacement> FileReplacement::begin(const std::filesystem::path& target) {
    static const bool watching = (replacement::onInterruption(removeTemporaryFiles), true);
    (void)watching;
    auto opened = replacement::open(target);
    if (!opened) {
        return opened.failure();
    }
    return FileReplacement(std::move(*opened));
}

std::optional<std::string> FileReplacement::write(std::string_view bytes) {
    return replacement::writeAll(m_opened.file, bytes);
}

std::optional<Failure> FileReplacement::commit() {
    const auto closed = replacement::close(m_opened.file, !m_opened.inPlace);
    m_opened.file = replacement::kNoFile;
    if (closed) {
        return outputFailure(*closed);
    }
    // A staged file goes with the object, whatever the copy's outcome.
    if (auto reason = replacement::putInPlace(m_opened)) {
        return outputFailure(std::move(*reason));
    }
    m_done = !m_opened.inPlace;
    return std::nullopt;
}

std::string writeFailure(const std::filesystem::path& path, const std::string& reason) {
    return "Não foi possível gravar o arquivo " + visible(utf8FromPath(path)) + ": " + reason;
}

Failure writeFailure(const std::filesystem::path& path, const Failure& reason) {
    return outputFailure(writeFailure(path, reason.message));
}

std::optional<Failure> writeFileAtomically(const std::filesystem::path& path,
                                           std::string_view bytes) {
    auto replacement = FileReplacement::begin(path);
    if (!replacement) {
        return writeFailure(path, replacement.failure());
    }
    if (auto reason = replacement->write(bytes)) {
        return outputFailure(writeFailure(path, *reason));
    }
    if (const auto reason = replacement->commit()) {
        return writeFailure(path, *reason);
    }
    return std::nullopt;
}

} // namespace util
