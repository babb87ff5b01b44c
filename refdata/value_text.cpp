#include "refdata/value_text.h"

#include "numbers/number_text.h"
#include "util/text.h"

#include <array>
#include <charconv>
#include <cmath>

namespace refdata {

namespace {

template <typename... Visitors> struct Overloaded : Visitors... { using Visitors::operator()...; };

} // namespace

std::string integerText(std::int64_t value) {
    return std::to_string(value);
}

std::string numberText(double value) {
    return util::generalNumberText(value);
}

std::string floatText(float value) {
    std::array<char, 32> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
    return std::string(buffer.data(), result.ptr);
}

std::optional<double> parseNumberText(std::string_view text) {
    text = util::trimmed(text);
    if (text.size() > 1 && text.front() == '+' && text[1] != '-') {
        text.remove_prefix(1);
    }
    double value = 0;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || result.ec != std::errc() || result.ptr != text.data() + text.size() ||
        !std::isfinite(value)) {
        return std::nullopt;
    }
    return value;
}

std::string notANumberReason(const std::string& text, std::string_view name) {
    std::string reason =
        util::trimmed(text).empty()
            ? "o valor de " + util::inQuotes(name) + " está vazio"
            : "o valor de " + util::inQuotes(name) + " não é um número: " + util::inQuotes(text);
    if (text.find(',') != std::string::npos) {
        reason += " (use ponto como separador decimal)";
    }
    return reason;
}

std::string valueText(const StoredValue& value) {
    return std::visit(Overloaded{[](std::monostate) { return std::string(); },
                                 [](const std::string& text) { return text; },
                                 [](std::int64_t number) { return integerText(number); },
                                 [](float number) { return floatText(number); },
                                 [](double number) { return numberText(number); }},
                      value);
}

std::optional<double> valueNumber(const StoredValue& value) {
    return std::visit(
        Overloaded{
            [](std::monostate) -> std::optional<double> { return std::nullopt; },
            [](const std::string& text) { return parseNumberText(text); },
            [](auto number) -> std::optional<double> { return static_cast<double>(number); }},
        value);
}

} // namespace refdata
