#include "refdata/database_message.h"

namespace refdata {

std::string databaseMessage(const std::filesystem::path& file, std::string_view problem) {
    return "Banco de dados " + file.string() + ": " + std::string(problem) + ".";
}

DatabaseFailure databaseError(const std::filesystem::path& file, std::string_view problem) {
    return DatabaseFailure(databaseMessage(file, problem));
}

DatabaseFailure corruptDatabase(const std::filesystem::path& file, std::string_view detail) {
    return databaseError(file,
                         "o arquivo está corrompido ou ilegível (" + std::string(detail) + ")");
}

DatabaseFailure missingValue(const std::filesystem::path& file, std::string_view table,
                             std::size_t row, std::string_view column) {
    return databaseError(file, "a linha " + std::to_string(row) + " da tabela " + inQuotes(table) +
                                   " não tem valor na coluna " + inQuotes(column));
}

DatabaseFailure notANumber(const std::filesystem::path& file, std::string_view table,
                           std::size_t row, std::string_view column, std::string_view value) {
    return databaseError(file, "a linha " + std::to_string(row) + " da tabela " + inQuotes(table) +
                                   " tem na coluna " + inQuotes(column) +
                                   " um valor que não é número: " + inQuotes(value));
}

DatabaseFailure fileLineError(const std::filesystem::path& file, std::size_t line,
                              std::string_view reason) {
    return DatabaseFailure("Arquivo " + file.string() + ", linha " + std::to_string(line) + ": " +
                           std::string(reason) + ".");
}

std::string inQuotes(std::string_view text) {
    // A quoted value comes from a file and may hold anything: a NUL would end the message
    // where it is shown and a line break would split it, so control characters are written as
    // their code; a long value is cut, as the line or row already says where it is.
    constexpr std::size_t kLongest = 60;
    std::string shown = "\"";
    std::size_t characters = 0;
    for (const char ch : text) {
        const auto byte = static_cast<unsigned char>(ch);
        const bool startsCharacter = (byte & 0xc0) != 0x80;
        if (startsCharacter && characters == kLongest) {
            shown += "…";
            break;
        }
        if (byte < 0x20 || byte == 0x7f) {
            constexpr char kDigits[] = "0123456789abcdef";
            shown += "\\x";
            shown += kDigits[byte >> 4];
            shown += kDigits[byte & 0xf];
        } else {
            shown += ch;
        }
        characters += startsCharacter ? 1 : 0;
    }
    return shown + "\"";
}

} // namespace refdata
