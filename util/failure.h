#pragma once

#include <string>
#include <type_traits>
#include <utility>
#include <variant>

namespace util {

// Why something the user asked for did not happen, worded for the user (Portuguese), and its
// kind: what the callers do differently with it (the command's exit status).
struct Failure {
    enum class Kind {
        InvalidInput,  // the user's input is refused: a value, an option, a file given to read
        NotComputable, // the inputs are accepted, but the calculation has no value for them
        Database,      // the reference database could not be read or lacks what was asked for
        Output,        // the result could not be written
    };

    Kind kind;
    std::string message;

    bool operator==(const Failure&) const = default;
};

// A value, or the failure that kept it from being made. Every layer returns its failures this
// way; nothing throws across a layer's boundary.
template <typename T> class [[nodiscard]] Result {
public:
    template <typename U = T>
    requires std::is_convertible_v<U&&, T> Result(U&& value)
        : m_state(std::in_place_index<0>, std::forward<U>(value)) {}
    Result(Failure failure) : m_state(std::in_place_index<1>, std::move(failure)) {}

    explicit operator bool() const { return m_state.index() == 0; }

    T& operator*() & { return std::get<0>(m_state); }
    const T& operator*() const& { return std::get<0>(m_state); }
    T&& operator*() && { return std::get<0>(std::move(m_state)); }
    T* operator->() { return &std::get<0>(m_state); }
    const T* operator->() const { return &std::get<0>(m_state); }

    const Failure& failure() const { return std::get<1>(m_state); }

    bool operator==(const Result&) const = default;

private:
    std::variant<T, Failure> m_state;
};

} // namespace util
