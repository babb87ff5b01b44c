#pragma once

#include "report/report_lines.h"
#include "util/file_replacement.h"

#include <string>
#include <string_view>
#include <vector>

namespace report {

// UTF-8 to Windows-1252, one byte per character; a character the code page cannot hold
// becomes '?'.
std::string toWindows1252(std::string_view utf8);

// The exported file's bytes: each line in Windows-1252 followed by CR LF, the last included,
// no byte-order mark.
std::string reportFileBytes(const std::vector<ReportLine>& lines);

// The exported file is written whole or not at all.
using util::writeFileAtomically;

} // namespace report
