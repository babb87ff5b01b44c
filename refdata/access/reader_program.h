#pragma once

#include "refdata/access/child_process_reader.h"

#include <initializer_list>

namespace refdata {

// The main of a reader program, where a reading child is a program of its own (Windows): serves
// the service its command line names, for the file it names, on its input and output until the
// reader is gone. 0 when it served, 2 for a command line it does not understand.
int serveAsReaderProgram(std::initializer_list<const ChildService*> services);

} // namespace refdata
