// The program that reads an Access file apart from the program that asked, where a child
// process cannot be a copy of the program (Windows): started by IsolatedAccessSource.

#include "refdata/access/isolated_access_source.h"
#include "refdata/access/reader_program.h"

int main() {
    return refdata::serveAsReaderProgram({&refdata::kAccessReading});
}
