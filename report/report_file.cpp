#include "report/report_file.h"

namespace report {

std::string reportFileBytes(const std::vector<ReportLine>& lines) {
    std::string bytes;
    bytes.reserve(lines.size() * 160);
    for (const ReportLine& line : lines) {
        bytes += toWindows1252(line.text);
        bytes += "\r\n";
    }
    return bytes;
}

} // namespace report
