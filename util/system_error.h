#pragma once

#include <string>

namespace util {

// The reason for a system error as messages give it: in Portuguese whatever the locale for the
// failures a user meets (no space, read-only, no permission, not found, too large, a folder),
// the system's own text for the rest.
std::string systemErrorText(int code);

} // namespace util
