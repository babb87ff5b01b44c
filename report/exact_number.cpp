#include "report/exact_number.h"

#include <array>
#include <charconv>

namespace report {

std::string exactNumberText(double value) {
    // Enough for the longest shortest form of a double ("-2.2250738585072014e-308").
    std::array<char, 32> buffer{};
    const auto [end, error] = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
    (void)error; // cannot fail: the buffer holds every double's shortest form
    return std::string(buffer.data(), end);
}

} // namespace report
