#include "refdata/csv/csv_reader.h"

#include "refdata/database_message.h"
#include "util/system_error.h"
#include "util/utf8.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string_view>

namespace refdata {

namespace {

void checkUtf8(std::string_view text, const std::filesystem::path& file) {
    std::size_t line = 1;
    for (std::size_t i = 0; i < text.size();) {
        const util::Utf8Character character = util::readUtf8Character(text.substr(i));
        if (!character.valid) {
            throw fileLineError(file, line,
                                "o texto não está em UTF-8 (salve o arquivo como CSV UTF-8)");
        }
        line += text[i] == '\n' ? 1 : 0;
        i += character.length;
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
    // Checked before opening: opening a pipe would wait for a writer that never comes.
    if (const auto problem = notARegularFile(file)) {
        throw DatabaseFailure("Arquivo " + file.string() + ": " + *problem + ".");
    }
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        throw DatabaseFailure("Arquivo " + file.string() + ": não pôde ser aberto (" +
                              util::systemErrorText(errno) + ").");
    }
    std::ostringstream content;
    content << in.rdbuf();
    if (in.bad()) {
        throw DatabaseFailure("Arquivo " + file.string() + ": não pôde ser lido.");
    }
    return parseCsv(content.str(), file);
}

} // namespace refdata
