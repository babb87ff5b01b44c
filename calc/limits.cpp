#include "calc/limits.h"

#include <algorithm>

namespace calc {

bool floodNotReceded(const CalculationRecord& record) {
    const Entry& last = record.totalFlow[kSteps];
    if (!last) {
        return false;
    }
    double peak = 0;
    for (int step = 1; step <= kSteps; ++step) {
        peak = std::max(peak, record.totalFlow[step].value_or(0));
    }
    return peak > 0 && *last > 0.1 * peak;
}

bool unitHydrographCut(const CalculationRecord& record) {
    if (!record.baseTimeH || !record.unitDurationH) {
        return false;
    }
    // At t >= Tb the ordinate is 0, so a base time of exactly 8 D loses nothing.
    return *record.baseTimeH > kUnitHydrographSize * *record.unitDurationH;
}

std::vector<std::string> limitNotes(const CalculationRecord& record) {
    std::vector<std::string> notes;
    if (floodNotReceded(record)) {
        notes.emplace_back(kFloodNotRecededNote);
    }
    if (unitHydrographCut(record)) {
        notes.emplace_back(kUnitHydrographCutNote);
    }
    return notes;
}

std::vector<std::string_view> limitNoteTitles(const CalculationRecord& record) {
    std::vector<std::string_view> titles;
    if (floodNotReceded(record)) {
        titles.push_back(kFloodNotRecededTitle);
    }
    if (unitHydrographCut(record)) {
        titles.push_back(kUnitHydrographCutTitle);
    }
    return titles;
}

} // namespace calc
