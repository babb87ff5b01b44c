#include "util/output_file.h"

#include "util/system_error.h"

#include <cerrno>

namespace util {

OutputFile::Buffer::Buffer(FileReplacement& replacement) : file(replacement) {
    setp(bytes.data(), bytes.data() + bytes.size());
}

int OutputFile::Buffer::sync() {
    if (auto reason =
            file.write(std::string_view(pbase(), static_cast<std::size_t>(pptr() - pbase())))) {
        failure = failure ? failure : std::move(reason);
        return -1;
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
    : m_target(std::move(target)), m_replacement(std::move(replacement)), m_buffer(m_replacement),
      m_stream(&m_buffer) {}

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
        const std::string reason = m_buffer.failure ? *m_buffer.failure : systemErrorText(EIO);
        return Failure{Failure::Kind::Output, writeFailure(m_target, reason)};
    }
    if (const auto reason = m_replacement.commit()) {
        return writeFailure(m_target, *reason);
    }
    return std::nullopt;
}

} // namespace util
