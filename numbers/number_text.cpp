#include "numbers/number_text.h"

#include <array>
#include <charconv>
#include <cmath>

namespace util {

namespace {

// Room for the longest text of either form ("-2.2250738585072014e-308").
using Buffer = std::array<char, 64>;

std::string nonFiniteText(double value) {
    if (std::isnan(value)) {
        return "nan";
    }
    return value < 0 ? "-inf" : "inf";
}

} // namespace

std::string generalNumberText(double value) {
    if (!std::isfinite(value)) {
        return nonFiniteText(value);
    }
    Buffer buffer;
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value + 0.0,
                                      std::chars_format::general, 15);
    return std::string(buffer.data(), result.ptr);
}

std::string exactNumberText(double value) {
    Buffer buffer;
    // Adding 0.0 turns -0 into +0 and changes no other value.
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value + 0.0);
    return std::string(buffer.data(), result.ptr);
}

} // namespace util
