#pragma once

#include "util/failure.h"

#include <optional>
#include <ostream>
#include <string>

namespace cli {

// How every use of zeb-calc ends: the message on the error stream, prefixed by the program's
// name (a usage error, an invalid input, followed by the synopsis), and the exit status returned.
int standardOutputFailure(std::ostream& err);
int usageFailure(std::ostream& err, const std::string& message);
int failure(std::ostream& err, const util::Failure& failure);

// Everything or nothing reaches standard output.
int writeToStandardOutput(std::ostream& out, std::ostream& err, const std::string& bytes);

// A result's bytes, whole, to the output file (replaced whole or left as it was) or, with
// none, to standard output.
int writeResult(const std::optional<std::string>& outputPath, const std::string& bytes,
                std::ostream& out, std::ostream& err);

} // namespace cli
