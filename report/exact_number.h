#pragma once

#include <string>

namespace report {

// The shortest text that reads back as exactly this double, with a period; for the
// machine-readable outputs.
std::string exactNumberText(double value);

} // namespace report
