#include "refdata/csv/csv_import.h"

#include "calc/run_request.h"
#include "refdata/database_message.h"
#include "refdata/station_rainfall.h"
#include "refdata/station_texts.h"
#include "refdata/table_layout.h"
#include "refdata/value_text.h"
#include "util/csv_stream.h"
#include "util/path_text.h"
#include "util/system_error.h"
#include "util/text.h"
#include "util/utf8.h"

#include <algorithm>
#include <cerrno>
#include <fstream>
#include <sstream>
#include <string_view>

namespace refdata {

namespace {

using util::CsvRecord;
using util::CsvStream;
using util::trimmed;

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

// Every record of the file, read before any is looked at: a file that is not UTF-8 or not
// CSV is refused as such, whatever its header says.
std::vector<CsvRecord> readCsvFile(const std::filesystem::path& file) {
    // Checked before opening: opening a pipe would wait for a writer that never comes.
    if (const auto problem = notARegularFile(file)) {
        throw DatabaseFailure("Arquivo " + util::utf8FromPath(file) + ": " + *problem + ".");
    }
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        throw DatabaseFailure("Arquivo " + util::utf8FromPath(file) + ": não pôde ser aberto (" +
                              util::systemErrorText(errno) + ").");
    }
    std::ostringstream content;
    content << in.rdbuf();
    if (in.bad()) {
        throw DatabaseFailure("Arquivo " + util::utf8FromPath(file) + ": não pôde ser lido.");
    }
    checkUtf8(content.view(), file);

    std::istringstream text(content.str());
    CsvStream csv(text);
    std::vector<CsvRecord> records;
    CsvRecord record;
    for (auto read = csv.next(record); read != CsvStream::Read::End; read = csv.next(record)) {
        if (read == CsvStream::Read::Malformed) {
            // The reference tables name a quote left open in their own words.
            throw fileLineError(file, csv.errorLine(),
                                csv.error() == CsvStream::kUnclosedQuote
                                    ? "aspas abertas e nunca fechadas"
                                    : csv.error());
        }
        records.push_back(std::move(record));
    }
    return records;
}

const CsvRecord& headerOf(const std::vector<CsvRecord>& records, const std::filesystem::path& file,
                          std::string_view expected) {
    if (records.empty()) {
        throw fileLineError(file, 1,
                            "o arquivo está vazio; a primeira linha deve ser o cabeçalho " +
                                std::string(expected));
    }
    return records.front();
}

void requireNameAt(const CsvRecord& header, const std::filesystem::path& file, std::size_t position,
                   std::string_view name) {
    const std::string_view found =
        position < header.fields.size() ? trimmed(header.fields[position]) : std::string_view();
    if (found != name) {
        throw fileLineError(file, header.line,
                            "a coluna " + std::to_string(position + 1) + " do cabeçalho deve ser " +
                                inQuotes(name) + ", não " + inQuotes(found));
    }
}

std::size_t columnOf(const CsvRecord& header, const std::filesystem::path& file,
                     std::string_view name) {
    std::size_t found = header.fields.size();
    for (std::size_t i = 0; i < header.fields.size(); ++i) {
        if (trimmed(header.fields[i]) != name) {
            continue;
        }
        if (found != header.fields.size()) {
            throw fileLineError(file, header.line,
                                "a coluna " + inQuotes(name) + " aparece duas vezes no cabeçalho");
        }
        found = i;
    }
    if (found == header.fields.size()) {
        throw fileLineError(file, header.line,
                            "falta a coluna " + inQuotes(name) + " no cabeçalho");
    }
    return found;
}

// The column of this name, where the header has one: a column missing reads as empty.
std::optional<std::size_t>
optionalColumn(const CsvRecord& header, const std::filesystem::path& file, std::string_view name) {
    const bool named = std::ranges::any_of(
        header.fields, [name](const std::string& field) { return trimmed(field) == name; });
    return named ? std::optional(columnOf(header, file, name)) : std::nullopt;
}

void requireFieldCount(const CsvRecord& record, const CsvRecord& header,
                       const std::filesystem::path& file) {
    if (record.fields.size() != header.fields.size()) {
        throw fileLineError(file, record.line,
                            "a linha tem " + std::to_string(record.fields.size()) +
                                " campos, mas o cabeçalho tem " +
                                std::to_string(header.fields.size()));
    }
}

std::string requiredText(const CsvRecord& record, std::size_t column,
                         const std::filesystem::path& file, std::string_view what) {
    const std::string& text = record.fields[column];
    if (trimmed(text).empty()) {
        throw fileLineError(file, record.line, std::string(what) + " está vazio");
    }
    return text;
}

} // namespace

std::vector<StationRow> readStationsCsv(const std::filesystem::path& file) {
    const auto records = readCsvFile(file);
    const auto& header = headerOf(records, file, "codigo,nome,estado,a,b,c,B5,B15,B30,Bm");
    requireNameAt(header, file, 0, "codigo");
    requireNameAt(header, file, 1, "nome");
    requireNameAt(header, file, 2, "estado");
    std::array<std::size_t, kCoefficientColumns.size()> constants{};
    for (std::size_t i = 0; i < constants.size(); ++i) {
        constants[i] = columnOf(header, file, kCoefficientColumns[i]);
    }
    std::array<std::optional<std::size_t>, kIdfColumns.size()> idf{};
    for (std::size_t i = 0; i < idf.size(); ++i) {
        idf[i] = optionalColumn(header, file, kIdfColumns[i]);
    }
    const auto source = optionalColumn(header, file, kIdfSourceColumn);

    std::vector<StationRow> stations;
    for (auto record = records.begin() + 1; record != records.end(); ++record) {
        requireFieldCount(*record, header, file);
        StationTexts texts{record->fields[0], record->fields[1], record->fields[2], {}, {}, {}};
        for (std::size_t i = 0; i < constants.size(); ++i) {
            texts.constants[i] = record->fields[constants[i]];
        }
        for (std::size_t i = 0; i < idf.size(); ++i) {
            texts.idf[i] = idf[i] ? record->fields[*idf[i]] : std::string();
        }
        texts.idfSource = source ? record->fields[*source] : std::string();
        auto row = stationFromTexts(texts);
        if (!row) {
            throw fileLineError(file, record->line, row.failure().message);
        }
        stations.push_back(std::move(*row));
    }
    return stations;
}

std::vector<CurveNumberRow> readCurveNumbersCsv(const std::filesystem::path& file) {
    const auto records = readCsvFile(file);
    const auto& header = headerOf(records, file, "id,terreno,zona,cn");
    if (trimmed(header.fields[0]).empty()) {
        throw fileLineError(file, header.line, "a coluna 1 do cabeçalho não tem nome");
    }
    requireNameAt(header, file, 1, "terreno");
    const auto zona = columnOf(header, file, "zona");
    const auto cn = columnOf(header, file, "cn");

    std::vector<CurveNumberRow> rows;
    for (auto record = records.begin() + 1; record != records.end(); ++record) {
        requireFieldCount(*record, header, file);
        CurveNumberRow row;
        if (!trimmed(record->fields[0]).empty()) {
            row.id = record->fields[0];
        }
        row.landClass = requiredText(*record, 1, file, "o terreno");
        const std::string& zone = record->fields[zona];
        if (zone != "Rural" && zone != "Urbana") {
            throw fileLineError(file, record->line,
                                "a zona deve ser \"Rural\" ou \"Urbana\", não " + inQuotes(zone));
        }
        row.zone = zone;
        row.curveNumber = parseNumberText(record->fields[cn]);
        if (!row.curveNumber) {
            throw fileLineError(file, record->line, notANumberReason(record->fields[cn], "cn"));
        }
        if (!calc::isValidCurveNumber(*row.curveNumber)) {
            throw fileLineError(file, record->line,
                                std::string(calc::kCurveNumberRange) + ", não " +
                                    inQuotes(record->fields[cn]));
        }
        rows.push_back(std::move(row));
    }
    return rows;
}

} // namespace refdata
