#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <limits>
#include <string>
#include <string_view>

namespace zebfuzz {

// Takes typed values from the front of a fuzz input; past its end every value reads as zero,
// so any input, however short, decodes to something.
class ByteReader {
public:
    ByteReader(const std::uint8_t* data, std::size_t size) : m_data(data), m_size(size) {}

    bool empty() const { return m_position >= m_size; }

    std::uint8_t byte() { return empty() ? 0 : m_data[m_position++]; }

    std::uint16_t twoBytes() {
        const auto high = byte();
        return static_cast<std::uint16_t>((high << 8) | byte());
    }

    // A double that is often one of the values formulas trip over, otherwise any bit pattern.
    double number() {
        static constexpr double kSpecial[] = {
            0.0,
            -0.0,
            1.0,
            -1.0,
            0.5,
            100.0,
            1e-300,
            -1e-300,
            5e-324,
            1e300,
            -1e300,
            std::numeric_limits<double>::max(),
            std::numeric_limits<double>::lowest(),
            std::numeric_limits<double>::infinity(),
            -std::numeric_limits<double>::infinity(),
            std::numeric_limits<double>::quiet_NaN(),
            0.125,
            2.675,
            -0.001,
            999.995,
            9999.995,
            99999.995,
            1e15,
            1e16,
            0.083333333333,
        };
        constexpr std::size_t kSpecialCount = sizeof(kSpecial) / sizeof(kSpecial[0]);
        const std::uint8_t selector = byte();
        if (selector < kSpecialCount) {
            return kSpecial[selector];
        }
        if (selector < 128) {
            // Small numbers with two decimals, the everyday input.
            return static_cast<double>(static_cast<std::int16_t>(twoBytes())) / 100.0;
        }
        std::uint64_t bits = 0;
        for (int i = 0; i < 8; ++i) {
            bits = (bits << 8) | byte();
        }
        double value = 0;
        std::memcpy(&value, &bits, sizeof value);
        return value;
    }

    // A text of up to `limit` bytes, its length taken from the input.
    std::string text(std::size_t limit) {
        const std::size_t wanted = byte() % (limit + 1);
        const std::size_t length = std::min(wanted, m_size - std::min(m_position, m_size));
        std::string result(reinterpret_cast<const char*>(m_data) + m_position, length);
        m_position += length;
        return result;
    }

    // Everything not yet taken.
    std::string_view rest() {
        const std::size_t start = std::min(m_position, m_size);
        m_position = m_size;
        return {reinterpret_cast<const char*>(m_data) + start, m_size - start};
    }

private:
    const std::uint8_t* m_data;
    std::size_t m_size;
    std::size_t m_position = 0;
};

} // namespace zebfuzz
