#include "refdata/database_message.h"
#include "util/path_text.h"

#include <cerrno>

namespace refdata {

std::string databaseMessage(const std::filesystem::path& file, std::string_view problem) {
    return "Banco de dados " + util::utf8FromPath(file) + ": " + std::string(problem) + ".";
}

util::Failure asFailure(const DatabaseFailure& failure) {
    return util::Failure{util::Failure::Kind::Database, failure.what()};
}

DatabaseFailure databaseError(const std::filesystem::path& file, std::string_view problem) {
    return DatabaseFailure(databaseMessage(file, problem));
}

DatabaseFailure corruptDatabase(const std::filesystem::path& file, std::string_view detail) {
    return databaseError(file,
                         "o arquivo está corrompido ou ilegível (" + std::string(detail) + ")");
}

DatabaseFailure readTooLong(const std::filesystem::path& file, std::chrono::milliseconds time) {
    return corruptDatabase(
        file, "a leitura não terminou em " +
                  std::to_string(std::chrono::ceil<std::chrono::seconds>(time).count()) + " s");
}

DatabaseFailure readTooBig(const std::filesystem::path& file, std::size_t memory) {
    return corruptDatabase(file, "a leitura passou de " + std::to_string(memory >> 20) +
                                     " MiB de memória");
}

std::optional<std::string> notARegularFile(const std::filesystem::path& file) {
    std::error_code error;
    const auto status = std::filesystem::status(file, error);
    if (error.value() == ELOOP) {
        return "é um link simbólico em ciclo, que nunca chega a um arquivo";
    }
    if (!std::filesystem::exists(status)) {
        if (std::filesystem::is_symlink(std::filesystem::symlink_status(file, error))) {
            return "é um link simbólico para " +
                   util::utf8FromPath(std::filesystem::read_symlink(file, error)) +
                   ", que não existe";
        }
        return "o arquivo não existe";
    }
    if (std::filesystem::is_directory(status)) {
        return "é uma pasta, não um arquivo";
    }
    if (!std::filesystem::is_regular_file(status)) {
        return "não é um arquivo comum, mas um pipe, um dispositivo ou um socket";
    }
    return std::nullopt;
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
    return DatabaseFailure("Arquivo " + util::utf8FromPath(file) + ", linha " +
                           std::to_string(line) + ": " + std::string(reason) + ".");
}

} // namespace refdata
