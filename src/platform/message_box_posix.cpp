#include "platform/message_box_native.h"

#include <cstdio>

namespace platemap::platform {

void showNativeErrorBox(const std::string& title, const std::string& text) {
    std::fprintf(stderr, "%s: %s\n", title.c_str(), text.c_str());
}

void showNativeStopBox(const std::string& text) {
    std::fprintf(stderr, "%s\n", text.c_str());
}

} // namespace platemap::platform
