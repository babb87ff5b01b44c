#include "util/csv_stream.h"

#include <algorithm>
#include <optional>

namespace util {

namespace {

// Drops a CR before the line's LF; says whether there was one.
bool dropLineEnd(std::string& line) {
    if (!line.empty() && line.back() == '\r') {
        line.pop_back();
        return true;
    }
    return false;
}

} // namespace

CsvStream::Line CsvStream::readLine(std::string& line, std::size_t room) {
    line.clear();
    std::streambuf& bytes = *m_in.rdbuf();
    bool any = false;
    for (auto c = bytes.sbumpc();
         !std::streambuf::traits_type::eq_int_type(c, std::streambuf::traits_type::eof());
         c = bytes.sbumpc()) {
        any = true;
        if (c == '\n') {
            return Line::Read;
        }
        if (line.size() == room) {
            // The rest of the line is skipped unread, so memory stays bounded.
            while (
                !std::streambuf::traits_type::eq_int_type(c, '\n') &&
                !std::streambuf::traits_type::eq_int_type(c, std::streambuf::traits_type::eof())) {
                c = bytes.sbumpc();
            }
            return Line::TooLong;
        }
        line += static_cast<char>(c);
    }
    return any ? Line::Read : Line::End;
}

std::optional<CsvStream::Read> CsvStream::readFirstLine(CsvRecord& record, std::string& line,
                                                        bool& crlf) {
    // Skip blank lines; a record starts on the first line with anything on it.
    do {
        const Line read = readLine(line, kMaxRecordBytes);
        if (read == Line::End) {
            m_ended = true;
            return Read::End;
        }
        ++m_line;
        if (!m_started) {
            m_started = true;
            if (line.starts_with("\xEF\xBB\xBF")) {
                line.erase(0, 3);
            }
        }
        if (read == Line::TooLong) {
            record.line = m_line;
            return malformed(kLineTooLong, m_line);
        }
        crlf = dropLineEnd(line);
    } while (line.empty());
    record.line = m_line;
    return std::nullopt;
}

std::optional<CsvStream::Read> CsvStream::continueQuotedField(CsvRecord& record, std::string& line,
                                                              bool& crlf, std::size_t& used) {
    // A quoted field goes on over the line break, which it keeps as written.
    const Line read = readLine(line, kMaxRecordBytes - std::min(used, kMaxRecordBytes));
    if (read == Line::End) {
        m_ended = true;
        return malformed(kUnclosedQuote, record.line);
    }
    ++m_line;
    if (read == Line::TooLong) {
        return malformed(kQuotedTooLong, record.line);
    }
    used += line.size() + 1;
    record.fields.back() += crlf ? "\r\n" : "\n";
    crlf = dropLineEnd(line);
    return std::nullopt;
}

std::optional<CsvStream::Read> CsvStream::takeCharacter(CsvRecord& record, std::string_view line,
                                                        std::size_t& i, FieldState& state) {
    const char c = line[i++];
    std::string& field = record.fields.back();
    if (state.quoted) {
        if (c != '"') {
            field += c;
        } else if (i < line.size() && line[i] == '"') {
            field += '"';
            ++i;
        } else {
            state.quoted = false;
            state.afterQuote = true;
        }
    } else if (c == m_separator) {
        record.fields.emplace_back();
        state.afterQuote = false;
    } else if (state.afterQuote) {
        return malformed("texto depois das aspas que fecham um campo", m_line);
    } else if (c == '"' && field.empty()) {
        state.quoted = true;
    } else if (c == '"') {
        return malformed("aspas no meio de um campo sem aspas", m_line);
    } else {
        field += c;
    }
    return std::nullopt;
}

CsvStream::Read CsvStream::next(CsvRecord& record) {
    m_error.clear();
    if (m_ended) {
        return Read::End;
    }
    std::string line;
    bool crlf = false;
    if (const std::optional<Read> stop = readFirstLine(record, line, crlf)) {
        return *stop;
    }
    record.fields.assign(1, std::string());
    std::size_t used = line.size(); // bytes of the record read so far
    FieldState state;
    std::size_t i = 0;
    while (true) {
        std::optional<Read> stop;
        if (i < line.size()) {
            stop = takeCharacter(record, line, i, state);
        } else if (!state.quoted) {
            return Read::Record;
        } else {
            stop = continueQuotedField(record, line, crlf, used);
            i = 0;
        }
        if (stop) {
            return *stop;
        }
    }
}

CsvStream::Read CsvStream::malformed(const char* reason, std::size_t line) {
    m_error = reason;
    m_errorLine = line;
    return Read::Malformed;
}

std::string csvField(std::string_view text, char separator) {
    const char special[] = {separator, '"', '\r', '\n'};
    if (text.find_first_of(std::string_view(special, sizeof special)) == std::string_view::npos) {
        return std::string(text);
    }
    std::string quoted = "\"";
    for (char c : text) {
        quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
    }
    return quoted + "\"";
}

} // namespace util
