#include "util/csv_stream.h"

#include <algorithm>

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

CsvStream::Read CsvStream::next(CsvRecord& record) {
    m_error.clear();
    if (m_ended) {
        return Read::End;
    }
    std::string line;
    bool crlf = false;
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
    record.fields.assign(1, std::string());
    std::size_t used = line.size(); // bytes of the record read so far
    bool quoted = false;            // inside a quoted field
    bool afterQuote = false;        // a quoted field has just closed
    std::size_t i = 0;
    while (true) {
        if (i == line.size()) {
            if (!quoted) {
                return Read::Record;
            }
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
            i = 0;
            continue;
        }
        const char c = line[i++];
        std::string& field = record.fields.back();
        if (quoted) {
            if (c != '"') {
                field += c;
            } else if (i < line.size() && line[i] == '"') {
                field += '"';
                ++i;
            } else {
                quoted = false;
                afterQuote = true;
            }
        } else if (c == ',') {
            record.fields.emplace_back();
            afterQuote = false;
        } else if (afterQuote) {
            return malformed("texto depois das aspas que fecham um campo", m_line);
        } else if (c == '"' && field.empty()) {
            quoted = true;
        } else if (c == '"') {
            return malformed("aspas no meio de um campo sem aspas", m_line);
        } else {
            field += c;
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
