#pragma once

#include <string>

namespace cli {

// The synopsis printed with every usage error, and the full help.
std::string usageSynopsis();
std::string helpText();

} // namespace cli
