#include "util/output_file.h"

#include "util/system_error.h"

#include <cerrno>
#include <unistd.h>

namespace util {

OutputFile::Buffer::Buffer(int descriptor) : fd(descriptor) {
    setp(bytes.data(), bytes.data() + bytes.size());
}

int OutputFile::Buffer::sync() {
    for (const char* next = pbase(); next < pptr();) {
        const ssize_t written = ::write(fd, next, static_cast<std::size_t>(pptr() - next));
        if (written < 0 && errno == EINTR) {
            continue;
        }
        if (written < 0) {
            failure = failure != 0 ? failure : errno;
            return -1;
        }
        next += written;
    }
    setp(bytes.data(), bytes.data() + bytes.size());
    return 0;
}

int OutputFile::Buffer::overflow(int character) {
    if (sync() != 0) {
        return traits_type::eof();
    }
    if (!traits_type::eq_int_type(character, traits_type::eof())) {
        *pptr() = traits_type::to_char_type(character);
        pbump(1);
    }
    return traits_type::not_eof(character);
}

OutputFile::OutputFile(std::filesystem::path target, FileReplacement replacement)
    : m_target(std::move(target)), m_replacement(std::move(replacement)),
      m_buffer(m_replacement.descriptor()), m_stream(&m_buffer) {}

Result<std::unique_ptr<OutputFile>> OutputFile::open(const std::filesystem::path& target) {
    auto begun = FileReplacement::begin(target);
    if (!begun) {
        return writeFailure(target, begun.failure());
    }
    return std::unique_ptr<OutputFile>(new OutputFile(target, std::move(*begun)));
}

std::optional<Failure> OutputFile::commit() {
    m_stream.flush();
    if (!m_stream) {
        const int error = m_buffer.failure != 0 ? m_buffer.failure : EIO;
        return Failure{Failure::Kind::Output, writeFailure(m_target, systemErrorText(error))};
    }
    if (const auto reason = m_replacement.commit()) {
        return writeFailure(m_target, *reason);
    }
    return std::nullopt;
}

} // namespace util
