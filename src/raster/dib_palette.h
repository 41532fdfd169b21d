#pragma once

#include "platform/memory.h"
#include "platform/palette.h"

namespace platemap {

// A logical palette of the DIB's colour table (information or core header layout), or none for
// no DIB or a DIB without a colour table.
platform::UniquePalette paletteFromDib(platform::MemoryHandle dib);

} // namespace platemap
