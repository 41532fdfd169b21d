#include "plugin/settings_values.h"

#include <algorithm>
#include <array>
#include <limits>
#include <optional>

namespace platemap {

namespace {

constexpr std::int32_t widestFrame = 10;

bool isBlank(char c) {
    return c == ' ' || (c >= '\t' && c <= '\r');
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// Reads a decimal number as atoi and scanf's %d do (leading blanks, optional sign, digits) and
// moves the text past it. No digits give nothing. Numbers beyond the int32 range saturate, where
// the C functions would be undefined.
std::optional<std::int32_t> takeDecimal(std::string_view& text) {
    std::size_t at = 0;
    while (at < text.size() && isBlank(text[at]))
        ++at;
    const bool negative = at < text.size() && text[at] == '-';
    if (at < text.size() && (text[at] == '-' || text[at] == '+'))
        ++at;
    if (at == text.size() || !isDigit(text[at]))
        return std::nullopt;
    constexpr std::int64_t limit = std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1;
    std::int64_t magnitude = 0;
    for (; at < text.size() && isDigit(text[at]); ++at)
        magnitude = std::min(limit, magnitude * 10 + (text[at] - '0'));
    text.remove_prefix(at);
    const std::int64_t value = negative ? -magnitude : std::min(magnitude, limit - 1);
    return static_cast<std::int32_t>(value);
}

} // namespace

std::int32_t frameWidthFromText(std::string_view text) {
    return std::clamp(takeDecimal(text).value_or(0), 0, widestFrame);
}

std::uint32_t frameColorFromText(std::string_view text) {
    std::array<std::int32_t, 3> rgb = {0, 0, 0};
    for (std::size_t component = 0; component < rgb.size(); ++component) {
        if (component > 0) {
            if (!text.starts_with(','))
                break;
            text.remove_prefix(1);
        }
        const auto value = takeDecimal(text);
        if (!value)
            break;
        rgb[component] = *value;
    }
    const auto lowByte = [](std::int32_t value) {
        return static_cast<std::uint32_t>(value) & 0xFFu;
    };
    return lowByte(rgb[0]) | lowByte(rgb[1]) << 8 | lowByte(rgb[2]) << 16;
}

bool switchFromText(std::string_view text) {
    return text.starts_with('1');
}

} // namespace platemap
