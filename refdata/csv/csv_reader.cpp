#include "refdata/csv/csv_reader.h"

#include "refdata/database_message.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string_view>

namespace refdata {

namespace {

// Length of the UTF-8 sequence at the start of `text`, or 0 when it is not valid UTF-8
// (overlong forms, surrogates and values above U+10FFFF included).
std::size_t utf8SequenceLength(std::string_view text) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const auto continuation = [&](std::size_t i) {
        return i < text.size() && (byte(i) & 0xC0) == 0x80;
    };
    const unsigned char lead = byte(0);
    if (lead < 0x80) {
        return 1;
    }
    if (lead >= 0xC2 && lead <= 0xDF) {
        return continuation(1) ? 2 : 0;
    }
    if (lead >= 0xE0 && lead <= 0xEF) {
        if (!continuation(1) || !continuation(2) || (lead == 0xE0 && byte(1) < 0xA0) ||
            (lead == 0xED && byte(1) >= 0xA0)) {
            return 0;
        }
        return 3;
    }
    if (lead >= 0xF0 && lead <= 0xF4) {
        if (!continuation(1) || !continuation(2) || !continuation(3) ||
            (lead == 0xF0 && byte(1) < 0x90) || (lead == 0xF4 && byte(1) >= 0x90)) {
            return 0;
        }
        return 4;
    }
    return 0;
}

void checkUtf8(std::string_view text, const std::filesystem::path& file) {
    std::size_t line = 1;
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t length = utf8SequenceLength(text.substr(i));
        if (length == 0) {
            throw fileLineError(file, line,
                                "o texto não está em UTF-8 (salve o arquivo como CSV UTF-8)");
        }
        line += text[i] == '\n' ? 1 : 0;
        i += length;
    }
}

} // namespace

std::vector<CsvRecord> parseCsv(const std::string& content, const std::filesystem::path& file) {
    std::string_view text = content;
    if (text.starts_with("\xEF\xBB\xBF")) {
        text.remove_prefix(3);
    }
    checkUtf8(text, file);

    std::vector<CsvRecord> records;
    CsvRecord record{1, {}};
    std::string field;
    std::size_t line = 1;
    bool quoted = false;    // inside a quoted field
    bool wasQuoted = false; // the current field was quoted and has been closed
    bool recordHasText = false;

    const auto endField = [&] {
        record.fields.push_back(std::move(field));
        field.clear();
        wasQuoted = false;
    };
    const auto endRecord = [&] {
        endField();
        // A line with nothing on it is no record.
        if (recordHasText) {
            records.push_back(std::move(record));
        }
        record = CsvRecord{line, {}};
        recordHasText = false;
    };

    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (quoted) {
            if (c == '"') {
                if (i + 1 < text.size() && text[i + 1] == '"') {
                    field += '"';
                    ++i;
                } else {
                    quoted = false;
                    wasQuoted = true;
                }
            } else {
                line += c == '\n' ? 1 : 0;
                field += c;
            }
            continue;
        }
        if (c == ',') {
            recordHasText = true;
            endField();
        } else if (c == '\n' || (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n')) {
            i += c == '\r' ? 1 : 0;
            ++line;
            endRecord();
        } else if (c == '"') {
            if (!field.empty() || wasQuoted) {
                throw fileLineError(file, line, "aspas no meio de um campo sem aspas");
            }
            quoted = true;
            recordHasText = true;
        } else {
            if (wasQuoted) {
                throw fileLineError(file, line, "texto depois das aspas que fecham um campo");
            }
            field += c;
            recordHasText = true;
        }
    }
    if (quoted) {
        throw fileLineError(file, record.line, "aspas abertas e nunca fechadas");
    }
    endRecord();
    return records;
}

std::vector<CsvRecord> readCsvFile(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        throw DatabaseFailure("Arquivo " + file.string() + ": não pôde ser aberto (" +
                              std::strerror(errno) + ").");
    }
    std::ostringstream content;
    content << in.rdbuf();
    if (in.bad()) {
        throw DatabaseFailure("Arquivo " + file.string() + ": não pôde ser lido.");
    }
    return parseCsv(content.str(), file);
}

} // namespace refdata
