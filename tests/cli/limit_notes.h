#pragma once

#include "calc/limits.h"

#include <sstream>
#include <string>

namespace cli::fixtures {

// The stderr line zeb-calc writes for a limit note.
inline std::string limitNoteLine(std::string_view note) {
    return "zeb-calc: aviso: " + std::string(note) + "\n";
}

// Standard error without the limit notes' lines: what a run said besides them.
inline std::string withoutLimitNotes(const std::string& err) {
    std::istringstream lines(err);
    std::string rest;
    for (std::string line; std::getline(lines, line);) {
        line += "\n";
        if (line != limitNoteLine(calc::kFloodNotRecededNote) &&
            line != limitNoteLine(calc::kUnitHydrographCutNote)) {
            rest += line;
        }
    }
    return rest;
}

} // namespace cli::fixtures
