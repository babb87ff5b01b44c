#pragma once

#include <cstddef>

namespace zebtest {

// The bytes the program has taken from the heap and not given back: the allocator's own count
// on Linux, the count of operator new on Windows (heap_in_use_posix.cpp, _windows.cpp).
std::size_t heapInUse();

} // namespace zebtest
