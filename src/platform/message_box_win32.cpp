#include "platform/message_box_native.h"

#include <windows.h>

namespace platemap::platform {

void showNativeErrorBox(const std::string& title, const std::string& text) {
    MessageBoxA(GetFocus(), text.c_str(), title.c_str(), MB_ICONEXCLAMATION | MB_OK);
}

void showNativeStopBox(const std::string& text) {
    MessageBoxA(nullptr, text.c_str(), nullptr, MB_ICONHAND | MB_OK);
}

} // namespace platemap::platform
