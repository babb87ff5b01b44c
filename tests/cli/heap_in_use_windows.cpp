#include "tests/cli/heap_in_use.h"

#include <atomic>
#include <cstdlib>
#include <malloc.h>
#include <new>

namespace {
std::atomic<std::size_t> g_inUse{0};
}

std::size_t zebtest::heapInUse() {
    return g_inUse.load();
}

// The C runtime has no count of its own: every new and delete of this program keeps one.
void* operator new(std::size_t size) {
    void* block = std::malloc(size == 0 ? 1 : size);
    if (block == nullptr) {
        throw std::bad_alloc();
    }
    g_inUse += ::_msize(block);
    return block;
}

void operator delete(void* block) noexcept {
    if (block != nullptr) {
        g_inUse -= ::_msize(block);
        std::free(block);
    }
}

void operator delete(void* block, std::size_t) noexcept {
    operator delete(block);
}
