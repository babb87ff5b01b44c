#include "refdata/access/access_library.h"

#include <cstdlib>

namespace refdata {

void useUtf8InAccessLibrary() {
    // The library converts texts to the character set this variable names.
    ::setenv("MDBICONV", "UTF-8", 1);
}

std::optional<std::string> accessLibraryFileName(const std::filesystem::path& file) {
    return file.native(); // the bytes of the name, as the system has them
}

} // namespace refdata
