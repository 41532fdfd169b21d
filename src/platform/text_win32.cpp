#include "platform/text.h"

#include <windows.h>

namespace platemap::platform {

std::string wideToAnsi(std::u16string_view text) {
    if (text.empty())
        return {};
    const auto* wide = reinterpret_cast<const wchar_t*>(text.data());
    const int units = static_cast<int>(text.size());
    const int bytes = WideCharToMultiByte(CP_ACP, 0, wide, units, nullptr, 0, "_", nullptr);
    std::string result(static_cast<std::size_t>(bytes), '\0');
    WideCharToMultiByte(CP_ACP, 0, wide, units, result.data(), bytes, "_", nullptr);
    return result;
}

std::u16string ansiToWide(std::string_view text) {
    if (text.empty())
        return {};
    const int bytes = static_cast<int>(text.size());
    const int units = MultiByteToWideChar(CP_ACP, 0, text.data(), bytes, nullptr, 0);
    std::u16string result(static_cast<std::size_t>(units), u'\0');
    MultiByteToWideChar(CP_ACP, 0, text.data(), bytes, reinterpret_cast<wchar_t*>(result.data()),
                        units);
    return result;
}

} // namespace platemap::platform
