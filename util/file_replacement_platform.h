#pragma once

// The system's part of a file replacement, one implementation per platform
// (file_replacement_posix.cpp, file_replacement_windows.cpp). Reasons are worded for the user,
// without the file's name.

#include "util/failure.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace util::replacement {

// An open file: a descriptor, or a handle's value; kNoFile for none.
using File = std::intptr_t;
constexpr File kNoFile = -1;

struct Opened {
    std::filesystem::path target; // the file replaced, a link followed
    std::filesystem::path temporary;
    File file = kNoFile;
    bool inPlace = false; // staged elsewhere, to be copied over the target
};

// Once per program: when an interruption would end it (a signal, Ctrl-C, the console
// closing), `removeAll` runs first.
void onInterruption(void (*removeAll)());

unsigned long processId();

// A short name in `folder` that no other writer of this process or another one picks
// (file_replacement.cpp).
std::filesystem::path temporaryName(const std::filesystem::path& folder, int attempt);

// Checks the target and opens a new temporary file for it.
Result<Opened> open(const std::filesystem::path& target);

std::optional<std::string> writeAll(File file, std::string_view bytes);

// Closes the file, first making its content durable when `flush`.
std::optional<std::string> close(File file, bool flush);

// Puts the closed temporary file's content in the target's place.
std::optional<std::string> putInPlace(const Opened& opened);

// Removes a file by name; safe in a signal handler.
void remove(const std::filesystem::path::value_type* name);

} // namespace util::replacement
