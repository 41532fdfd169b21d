#pragma once

#include <string>
#include <string_view>

namespace platemap::platform {

// Converts to the ANSI code page (UTF-8 natively); characters without a mapping become '_'.
std::string wideToAnsi(std::u16string_view text);
std::u16string ansiToWide(std::string_view text);

} // namespace platemap::platform
