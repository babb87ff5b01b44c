#pragma once

#include "util/failure.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

namespace rainfit {

// A series, a table or an analysis refused: an invalid input whose Portuguese sentence names
// the line where the fault lies, when it lies on one.
util::Failure refused(std::string message);

// "linha N: what".
util::Failure refusalAtLine(std::size_t line, std::string_view what);

// The outcome's value into `value`; or its refusal, with the line named.
template <typename T>
std::optional<util::Failure> takeAtLine(util::Result<T> outcome, std::size_t line, T& value) {
    if (!outcome) {
        return refusalAtLine(line, outcome.failure().message);
    }
    value = std::move(*outcome);
    return std::nullopt;
}

} // namespace rainfit
