#pragma once

#include <string>
#include <string_view>

namespace platemap::platform {

// Lone surrogates and malformed sequences become U+FFFD.
std::string utf16ToUtf8(std::u16string_view text);
std::u16string utf8ToUtf16(std::string_view text);

} // namespace platemap::platform
