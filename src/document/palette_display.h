#pragma once

#include "platform/memory.h"
#include "platform/palette.h"

#include <cstdint>
#include <string>

namespace platemap {

inline constexpr int paletteDisplayColours = 224;

// The two bitmap files of one colour reduction; the number keeps views of one process apart.
struct ReductionFiles {
    std::string first;  // directory + "%ld%d.tif" of the number and 0
    std::string second; // the first with "1" appended
};
ReductionFiles reductionFiles(const std::string& tempDirectory, std::int32_t viewNumber);

// Makes a freshly loaded image showable on a display of 8 bits per pixel or fewer: an image of
// more than 8 bits per pixel is reduced to an 8-bit one of at most 224 colours through the
// quantiser and the two temporary bitmap files, which are gone again afterwards; then the palette
// comes from the DIB's colour table. When the reduced file cannot be read back ("File Not Found!"
// is shown) the DIB stays as it was, and a DIB of more than 8 bits gets no palette.
platform::UniquePalette adaptDibToPaletteDisplay(platform::MemoryBlock& dib,
                                                 std::int32_t viewNumber);

} // namespace platemap
