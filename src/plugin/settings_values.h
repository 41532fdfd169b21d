#pragma once

#include <cstdint>
#include <string_view>

namespace platemap {

// The decimal prefix as atoi reads it, clamped to a pen width of 0 to 10 pixels.
std::int32_t frameWidthFromText(std::string_view text);
// Red, green and blue scanned as "%d,%d,%d", each cut to its low 8 bits; components the scan
// does not reach are 0. Red is the low byte.
std::uint32_t frameColorFromText(std::string_view text);
// On exactly when the first character is '1'.
bool switchFromText(std::string_view text);

} // namespace platemap
