#include "util/whole_file.h"

#include "util/system_error.h"

#include <cerrno>
#include <fstream>
#include <iterator>

namespace util {

Result<std::string> readWholeFile(const std::filesystem::path& path, const std::string& named,
                                  std::uintmax_t maxBytes) {
    const auto refused = [](std::string message) {
        return Failure{Failure::Kind::InvalidInput, std::move(message)};
    };
    std::error_code error;
    const auto status = std::filesystem::status(path, error);
    if (!std::filesystem::exists(status)) {
        return refused(named + " não existe.");
    }
    if (!std::filesystem::is_regular_file(status)) {
        return refused(named + " não é um arquivo comum.");
    }
    if (std::filesystem::file_size(path, error) > maxBytes) {
        return refused(named + " passa de " + std::to_string(maxBytes / (1024 * 1024)) + " MiB.");
    }
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return refused("não foi possível ler " + named + ": " + systemErrorText(errno) + ".");
    }
    std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    if (in.bad()) {
        return refused("não foi possível ler " + named + ".");
    }
    return bytes;
}

} // namespace util
