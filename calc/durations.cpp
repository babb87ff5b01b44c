#include "calc/durations.h"

namespace calc {

std::optional<int> durationIndexOfLabel(std::string_view label) {
    for (int i = 0; i < kDurationCount; ++i) {
        if (durationLabels[static_cast<std::size_t>(i)] == label) {
            return i;
        }
    }
    return std::nullopt;
}

} // namespace calc
