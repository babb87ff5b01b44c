#pragma once

#include <chrono>
#include <cstddef>

namespace refdata {

// How long one read of a database file may take and how much memory it may hold, whatever the
// file holds: generous for the largest files users keep (an Access file holds at most 2 GiB;
// reading 100,000 stations takes a tenth of a second and some tens of MiB), yet a hang is
// noticed and a runaway allocation stopped long before it takes the machine's memory. What one
// read hands to the program is bounded too: a station's name or a land class is a line of
// text, and 100,000 stations come to some MiB.
struct ReadLimits {
    std::chrono::milliseconds time{30000};
    std::size_t memory = std::size_t{2} << 30;
    std::size_t valueBytes = std::size_t{1} << 20;
    std::size_t readBytes = std::size_t{256} << 20;
};

} // namespace refdata
