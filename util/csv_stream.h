#pragma once

#include <cstddef>
#include <istream>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace util {

// One record of a CSV text and the line it starts on (from 1).
struct CsvRecord {
    std::size_t line = 0;
    std::vector<std::string> fields;
};

// Reads CSV records one at a time by RFC 4180, so that a file of any length is read in
// constant memory: fields separated by commas (or the separator given), records by CR LF or LF; a
// field in double quotes may hold commas, line breaks (kept as written) and doubled quotes. A
// leading UTF-8 byte-order mark is dropped and blank lines are skipped. No record is held past
// kMaxRecordBytes (64 KiB): a longer line, or a quoted text that runs on longer (a quote never
// closed), is malformed, and the rest of its line is skipped unread.
class CsvStream {
public:
    explicit CsvStream(std::istream& in, char separator = ',') : m_in(in), m_separator(separator) {}

    enum class Read { Record, Malformed, End };

    // The next record into `record`. A malformed record gives Malformed, with its line in
    // record.line and the reason in error() (Portuguese); reading goes on at the next line.
    Read next(CsvRecord& record);
    const std::string& error() const { return m_error; }
    // Where the fault of a malformed record lies: the line of the stray character, or the
    // record's first line when a quote is never closed.
    std::size_t errorLine() const { return m_errorLine; }

    // error() for a quoted field still open at the end of the text.
    static constexpr const char* kUnclosedQuote =
        "aspas abertas e não fechadas até o fim do arquivo";

    static constexpr std::size_t kMaxRecordBytes = 64 * 1024;
    static constexpr const char* kLineTooLong = "a linha tem mais de 64 KiB";
    static constexpr const char* kQuotedTooLong =
        "o texto entre aspas passa de 64 KiB (aspas não fechadas?)";

private:
    enum class Line { Read, TooLong, End };
    // The next line without its LF, at most `room` bytes kept.
    Line readLine(std::string& line, std::size_t room);
    Read malformed(const char* reason, std::size_t line);

    // Where the record being read stands: inside a quoted field, or just after one closed.
    struct FieldState {
        bool quoted = false;
        bool afterQuote = false;
    };
    // Each gives the end of the record when it has come (a fault, or the end of the text).
    std::optional<Read> readFirstLine(CsvRecord& record, std::string& line, bool& crlf);
    std::optional<Read> continueQuotedField(CsvRecord& record, std::string& line, bool& crlf,
                                            std::size_t& used);
    std::optional<Read> takeCharacter(CsvRecord& record, std::string_view line, std::size_t& i,
                                      FieldState& state);

    std::istream& m_in;
    char m_separator;
    std::size_t m_line = 0; // lines read so far
    bool m_started = false;
    bool m_ended = false;
    std::string m_error;
    std::size_t m_errorLine = 0;
};

// A field of a CSV row (RFC 4180): quoted, with quotes doubled, when it holds the field
// separator, a quote or a line break.
std::string csvField(std::string_view text, char separator = ',');

} // namespace util
