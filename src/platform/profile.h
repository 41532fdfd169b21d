#pragma once

#include <cstddef>
#include <string>

namespace platemap::platform {

// Values are read through a buffer of this size: at most 1023 characters of a value take effect.
inline constexpr std::size_t profileValueBufferSize = 1024;

// One value of a private profile (INI) file, as the system's profile functions give it: section
// and key matched without regard to case, blanks around the value and a pair of enclosing quotes
// removed, the default for a missing file, section or key. A file name without a folder is taken
// from the system's settings folder: the Windows directory; natively $PLATEMAP_CONFIG_DIR, or the
// current directory when that is not set.
std::string profileString(const std::string& section, const std::string& key,
                          const std::string& defaultValue, const std::string& fileName);

} // namespace platemap::platform
