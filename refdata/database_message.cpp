#include "refdata/database_message.h"

namespace refdata {

DatabaseError databaseError(const std::filesystem::path& file, std::string_view problem) {
    return DatabaseError("Banco de dados " + file.string() + ": " + std::string(problem) + ".");
}

DatabaseError corruptDatabase(const std::filesystem::path& file, std::string_view detail) {
    return databaseError(file,
                         "o arquivo está corrompido ou ilegível (" + std::string(detail) + ")");
}

DatabaseError missingValue(const std::filesystem::path& file, std::string_view table,
                           std::size_t row, std::string_view column) {
    return databaseError(file, "a linha " + std::to_string(row) + " da tabela " + inQuotes(table) +
                                   " não tem valor na coluna " + inQuotes(column));
}

DatabaseError notANumber(const std::filesystem::path& file, std::string_view table, std::size_t row,
                         std::string_view column, std::string_view value) {
    return databaseError(file, "a linha " + std::to_string(row) + " da tabela " + inQuotes(table) +
                                   " tem na coluna " + inQuotes(column) +
                                   " um valor que não é número: " + inQuotes(value));
}

DatabaseError fileLineError(const std::filesystem::path& file, std::size_t line,
                            std::string_view reason) {
    return DatabaseError("Arquivo " + file.string() + ", linha " + std::to_string(line) + ": " +
                         std::string(reason) + ".");
}

} // namespace refdata
