#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <span>

namespace refdata {

// What the first page of an Access file says about it.
struct AccessFileShape {
    int version = 0;          // 0 Jet3, 1 Jet4, 2 and above ACE
    std::size_t pageSize = 0; // 2048 for Jet3, 4096 otherwise
    std::uintmax_t pageCount = 0;
};

// True when the bytes start with an Access signature: "\0\1\0\0Standard Jet DB\0" or
// "\0\1\0\0Standard ACE DB\0".
bool hasAccessSignature(std::span<const unsigned char> firstBytes);

// libmdb trusts the file it is given, so everything that can be checked from outside is
// checked first: the signature, a known version, and a length that is a whole number of
// pages holding at least the pages every database starts with. Throws DatabaseFailure.
AccessFileShape checkAccessFile(const std::filesystem::path& file);

} // namespace refdata
