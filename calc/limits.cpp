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

namespace {

// Each note with its condition and its two texts, in the order they are given.
struct LimitNote {
    bool (*applies)(const CalculationRecord&);
    std::string_view title;
    std::string_view text;
};

const LimitNote kLimitNotes[] = {
    {floodNotReceded, kFloodNotRecededTitle, kFloodNotRecededNote},
    {unitHydrographCut, kUnitHydrographCutTitle, kUnitHydrographCutNote},
};

} // namespace

std::vector<std::string> limitNotes(const CalculationRecord& record) {
    std::vector<std::string> notes;
    for (const LimitNote& note : kLimitNotes) {
        if (note.applies(record)) {
            notes.emplace_back(note.text);
        }
    }
    return notes;
}

std::vector<std::string_view> limitNoteTitles(const CalculationRecord& record) {
    std::vector<std::string_view> titles;
    for (const LimitNote& note : kLimitNotes) {
        if (note.applies(record)) {
            titles.push_back(note.title);
        }
    }
    return titles;
}

} // namespace calc
