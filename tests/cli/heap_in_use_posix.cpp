#include "tests/cli/heap_in_use.h"

#include <malloc.h>

std::size_t zebtest::heapInUse() {
    return ::mallinfo2().uordblks;
}
