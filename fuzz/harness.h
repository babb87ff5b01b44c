#pragma once

// What every fuzz target shares: the property check, typed values taken from the input, the
// number styles real locales give, and a temporary file for targets that read files.

#include "numbers/number_style.h"

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <limits>
#include <stdexcept>
#include <string>
#include <utility>

#include <unistd.h>

// A violated property aborts, so libFuzzer records the input as a crash and the corpus replay
// under ctest fails, saying which property broke.
#define FUZZ_CHECK(condition, what)                                                                \
    do {                                                                                           \
        if (!(condition)) {                                                                        \
            std::fprintf(stderr, "%s:%d: property violated: %s\n", __FILE__, __LINE__, what);      \
            std::abort();                                                                          \
        }                                                                                          \
    } while (false)

namespace zebfuzz {

// Typed values from the front of a fuzz input; past its end every value reads as zero.
class ByteReader {
public:
    ByteReader(const std::uint8_t* data, std::size_t size)
        : m_bytes(reinterpret_cast<const char*>(data), size) {}

    std::uint8_t byte() {
        if (m_bytes.empty()) {
            return 0;
        }
        const auto value = static_cast<std::uint8_t>(m_bytes.front());
        m_bytes.remove_prefix(1);
        return value;
    }

    // Often a value formulas trip over, else any bits.
    double number() {
        // clang-format off
        static constexpr double kSpecial[] = {
            0.0, -0.0, 1.0, -1.0, 0.5, 100.0, 1e-300, 5e-324, 1e300, -1e300, 2.675, -0.001,
            999.995, 1e16, 0.083333333333, std::numeric_limits<double>::infinity(),
            std::numeric_limits<double>::quiet_NaN()};
        // clang-format on
        const std::uint8_t selector = byte();
        if (selector < std::size(kSpecial)) {
            return kSpecial[selector];
        }
        std::uint64_t bits = 0;
        for (int i = 0; i < 8; ++i) {
            bits = bits << 8 | byte();
        }
        double value = 0;
        std::memcpy(&value, &bits, sizeof value);
        return value;
    }

    std::string text(std::size_t limit) {
        const std::string_view taken = m_bytes.substr(0, byte() % (limit + 1));
        m_bytes.remove_prefix(taken.size());
        return std::string(taken);
    }

    std::string_view rest() { return std::exchange(m_bytes, {}); }

private:
    std::string_view m_bytes;
};

// Separators that real locales give: the program's two, none, non-breaking spaces, apostrophes
// and the Arabic marks.
inline const report::NumberStyle& numberStyle(std::uint8_t selector) {
    static const report::NumberStyle styles[] = {
        {".", ","}, {",", "."}, {".", ""}, {",", "\u202f"}, {".", "\u2019"}, {"\u066b", "\u066c"}};
    return styles[selector % std::size(styles)];
}

// A file of this process's own in TMPDIR, rewritten for every input.
inline std::filesystem::path writeTempFile(std::string_view name, std::string_view bytes) {
    const auto path = std::filesystem::temp_directory_path() /
                      ("zeb-fuzz-" + std::to_string(::getpid()) + "-" + std::string(name));
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out.flush()) {
        throw std::runtime_error("cannot write " + path.string());
    }
    return path;
}

} // namespace zebfuzz
