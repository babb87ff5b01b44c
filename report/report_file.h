#pragma once

#include "report/report_lines.h"

#include <filesystem>
#include <optional>
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

// Writes the bytes to a temporary file beside the target and renames it into place, so the
// target is either wholly replaced or left exactly as it was. Returns a Portuguese message
// with the system's reason on failure, nothing on success.
std::optional<std::string> writeFileAtomically(const std::filesystem::path& path,
                                               std::string_view bytes);

} // namespace report
