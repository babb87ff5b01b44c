#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <variant>

namespace rainfit {

// Why a series, a table or an analysis is refused: a Portuguese sentence that names the line
// where the fault lies, when it lies on one.
struct Refusal {
    std::string message;
};

// A value, or the reason there is none.
template <typename T> using Outcome = std::variant<T, Refusal>;

// "linha N: what".
Refusal refusalAtLine(std::size_t line, std::string_view what);

// The outcome's value into `value`; or its refusal, with the line named.
template <typename T>
std::optional<Refusal> takeAtLine(Outcome<T> outcome, std::size_t line, T& value) {
    if (const auto* refusal = std::get_if<Refusal>(&outcome)) {
        return refusalAtLine(line, refusal->message);
    }
    value = std::move(std::get<T>(outcome));
    return std::nullopt;
}

} // namespace rainfit
