#include "refdata/access/access_file_check.h"

#include "refdata/database_message.h"

#include <algorithm>
#include <array>
#include <fstream>
#include <string_view>
#include <system_error>

namespace refdata {

namespace {

constexpr std::size_t kSignatureSize = 20;
constexpr std::size_t kVersionOffset = 0x14;
constexpr int kLastKnownVersion = 6;
// Page 0 holds the header, page 2 the definition of the system catalog.
constexpr std::uintmax_t kMinimumPages = 3;

bool startsWith(std::span<const unsigned char> bytes, std::string_view expected) {
    return bytes.size() >= expected.size() &&
           std::equal(expected.begin(), expected.end(), bytes.begin(),
                      [](char e, unsigned char b) { return static_cast<unsigned char>(e) == b; });
}

} // namespace

bool hasAccessSignature(std::span<const unsigned char> firstBytes) {
    using namespace std::string_view_literals;
    return startsWith(firstBytes, "\0\1\0\0Standard Jet DB\0"sv) ||
           startsWith(firstBytes, "\0\1\0\0Standard ACE DB\0"sv);
}

namespace {

// The header's version byte, once the file is known to be a regular Access file.
unsigned char readVersion(const std::filesystem::path& file) {
    if (const auto problem = notARegularFile(file)) {
        throw databaseError(file, *problem);
    }
    std::array<unsigned char, kVersionOffset + 1> header{};
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        throw databaseError(file, "o arquivo não pôde ser aberto para leitura");
    }
    in.read(reinterpret_cast<char*>(header.data()), static_cast<std::streamsize>(header.size()));
    if (in.gcount() != static_cast<std::streamsize>(header.size()) ||
        !hasAccessSignature({header.data(), kSignatureSize})) {
        throw databaseError(file, "o arquivo não é um banco de dados Access");
    }
    return header[kVersionOffset];
}

} // namespace

AccessFileShape checkAccessFile(const std::filesystem::path& file) {
    AccessFileShape shape;
    shape.version = readVersion(file);
    if (shape.version > kLastKnownVersion) {
        throw corruptDatabase(file, "versão de formato Access desconhecida: " +
                                        std::to_string(shape.version));
    }
    shape.pageSize = shape.version == 0 ? 2048 : 4096;

    std::error_code error;
    const auto length = std::filesystem::file_size(file, error);
    if (error) {
        throw databaseError(file,
                            "o tamanho do arquivo não pôde ser lido (" + error.message() + ")");
    }
    if (length % shape.pageSize != 0) {
        throw corruptDatabase(file, "o tamanho de " + std::to_string(length) +
                                        " bytes não é múltiplo da página de " +
                                        std::to_string(shape.pageSize) + " bytes");
    }
    shape.pageCount = length / shape.pageSize;
    if (shape.pageCount < kMinimumPages) {
        throw corruptDatabase(file,
                              "o arquivo tem só " + std::to_string(shape.pageCount) + " página(s)");
    }
    return shape;
}

} // namespace refdata
