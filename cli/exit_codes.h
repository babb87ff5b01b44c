#pragma once

#include "util/failure.h"

namespace cli {

inline constexpr int kExitSuccess = 0;
inline constexpr int kExitOutputFailed = 1; // the output could not be written
inline constexpr int kExitUsage = 2;
inline constexpr int kExitUndefined = 3; // the calculation has no value for the inputs
inline constexpr int kExitDatabase = 4;

// The exit status of a command that ends with the failure: its kind decides.
int exitCodeOf(const util::Failure& failure);

} // namespace cli
