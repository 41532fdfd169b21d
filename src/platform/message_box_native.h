#pragma once

#include <string>

namespace platemap::platform {

void showNativeErrorBox(const std::string& title, const std::string& text);
void showNativeStopBox(const std::string& text);

} // namespace platemap::platform
