#pragma once

#include <cstdio>
#include <cstdlib>

// A property a fuzz target asserts. A violation aborts, so libFuzzer records the input as a
// crash and the corpus replay under ctest fails; the message says which property broke.
#define FUZZ_CHECK(condition, what)                                                                \
    do {                                                                                           \
        if (!(condition)) {                                                                        \
            std::fprintf(stderr, "%s:%d: property violated: %s (%s)\n", __FILE__, __LINE__, what,  \
                         #condition);                                                              \
            std::abort();                                                                          \
        }                                                                                          \
    } while (false)
