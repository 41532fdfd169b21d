#pragma once

#include "platform/memory.h"
#include "raster/dib.h"

#include <cstdint>
#include <vector>

namespace platemap::test {

// A DIB taken apart with its own header's numbers, for comparing with expected values.
struct DibContents {
    BitmapInfoHeader header;
    std::size_t blockBytes = 0;
    std::size_t pixelOffset = 0;                 // from the start of the block
    std::vector<std::uint8_t> colourTable;       // RGBQUAD bytes: blue, green, red, 0
    std::vector<std::vector<std::uint8_t>> rows; // top row first, each without its padding
};

// Reads an information-header DIB; an empty result (width 0) for no DIB.
DibContents dibContents(platform::MemoryHandle dib);

// The image as red, green, blue bytes, top row first: 24-bit pixels or colour-table lookups.
std::vector<std::uint8_t> dibRgb(platform::MemoryHandle dib);

} // namespace platemap::test
