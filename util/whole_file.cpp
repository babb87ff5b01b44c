#include "util/whole_file.h"

#include "util/system_error.h"

#include <cerrno>
#include <fstream>
#include <iterator>

namespace util {

std::optional<std::string> readWholeFile(const std::filesystem::path& path,
                                         const std::string& named, std::uintmax_t maxBytes,
                                         std::string& bytes) {
    std::error_code error;
    const auto status = std::filesystem::status(path, error);
    if (!std::filesystem::exists(status)) {
        return named + " não existe.";
    }
    if (!std::filesystem::is_regular_file(status)) {
        return named + " não é um arquivo comum.";
    }
    if (std::filesystem::file_size(path, error) > maxBytes) {
        return named + " passa de " + std::to_string(maxBytes / (1024 * 1024)) + " MiB.";
    }
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return "não foi possível ler " + named + ": " + systemErrorText(errno) + ".";
    }
    std::string read{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    if (in.bad()) {
        return "não foi possível ler " + named + ".";
    }
    bytes = std::move(read);
    return std::nullopt;
}

} // namespace util
