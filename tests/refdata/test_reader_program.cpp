// The reader program of the reading child's tests, where the child is a program of its own.

#include "refdata/access/reader_program.h"
#include "tests/refdata/test_reader.h"

int main() {
    return refdata::serveAsReaderProgram({&refdata::test::kTestReading});
}
