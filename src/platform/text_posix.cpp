#include "platform/text.h"
#include "platform/utf.h"

namespace platemap::platform {

// UTF-8 is the native "ANSI" code page: every character has a mapping.
std::string wideToAnsi(std::u16string_view text) {
    return utf16ToUtf8(text);
}

std::u16string ansiToWide(std::string_view text) {
    return utf8ToUtf16(text);
}

} // namespace platemap::platform
