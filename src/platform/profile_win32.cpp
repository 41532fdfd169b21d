#include "platform/profile.h"

#include <windows.h>

namespace platemap::platform {

std::string profileString(const std::string& section, const std::string& key,
                          const std::string& defaultValue, const std::string& fileName) {
    char buffer[profileValueBufferSize] = {};
    const DWORD length =
        GetPrivateProfileStringA(section.c_str(), key.c_str(), defaultValue.c_str(), buffer,
                                 sizeof buffer, fileName.c_str());
    return std::string(buffer, length < sizeof buffer ? length : sizeof buffer - 1);
}

} // namespace platemap::platform
