#pragma once

#include "refdata/access/child_process_reader.h"

namespace refdata::test {

// A reading child that answers "n" with a count kept in the child, and refuses, crashes, hangs
// or allocates without end when asked to.
extern const ChildService kTestReading;

} // namespace refdata::test
