#pragma once

#include <string>

namespace util {

// The reason for a system error as messages give it: in Portuguese whatever the locale for the
// failures a user meets (no space, read-only, no permission, not found, too large, a folder, a
// file where a folder should be, a link loop, a name too long, a disk error, ...); any other as
// "erro do sistema N" with the system's own text.
std::string systemErrorText(int code);

} // namespace util
