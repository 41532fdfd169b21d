#pragma once

#include "platform/memory.h"

#include <cstdint>

namespace platemap {

// A DIB is one movable memory block: a header, a colour table and the pixel rows (bottom row
// first, each padded to 4 bytes). A `header` argument points at the first byte of the locked block.

inline constexpr std::uint32_t infoHeaderSize = 40; // BITMAPINFOHEADER
inline constexpr std::uint32_t coreHeaderSize = 12; // BITMAPCOREHEADER
inline constexpr std::uint32_t compressionRgb = 0;  // BI_RGB
inline constexpr std::uint32_t compressionRle8 = 1; // BI_RLE8
inline constexpr std::uint32_t compressionRle4 = 2; // BI_RLE4

// The most pixel data one DIB may hold. A 32-bit process has 2 GiB of address space, which the
// RGBA path needs twice over; larger images are refused as if the DIB could not be allocated.
inline constexpr std::uint64_t maxDibImageBytes = std::uint64_t{1} << 30;

// BITMAPINFOHEADER, field for field; natural alignment gives the file layout (no padding).
struct BitmapInfoHeader {
    std::uint32_t size = infoHeaderSize;
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::uint16_t planes = 1;
    std::uint16_t bitCount = 0;
    std::uint32_t compression = compressionRgb;
    std::uint32_t sizeImage = 0;
    std::int32_t xPelsPerMeter = 0;
    std::int32_t yPelsPerMeter = 0;
    std::uint32_t clrUsed = 0;
    std::uint32_t clrImportant = 0;
};
static_assert(sizeof(BitmapInfoHeader) == infoHeaderSize);

// Copies between a header in memory (any alignment) and the struct; both little-endian machines.
BitmapInfoHeader readInfoHeader(const unsigned char* header);
void writeInfoHeader(unsigned char* header, const BitmapInfoHeader& info);

// A new zero-filled DIB with an information header, or none. Refused (none) as well: a width or
// height that is not positive, a negative row length, a bit count outside 1 to 32, and pixel data
// whose size overflows or exceeds maxDibImageBytes. The padded row is never shorter than
// `width` pixels of `bitCount` bits, whatever `rowBytes` says, so no reader of the DIB can run
// past the block.
platform::MemoryBlock allocateDib(std::int32_t width, std::int32_t height, std::int32_t rowBytes,
                                  std::int32_t bitCount, std::int32_t pixelsPerMetre);

// Entries: the information header's colours-used field as a 16-bit count when it is not 0, else
// 2, 16 or 256 for 1, 4 or 8 bits and 0 for any other bit count. Bytes: 4 per entry after an
// information header, 3 after a core header; 32 bits wide, so 65,535 entries cannot wrap it.
std::uint16_t colourTableEntries(const unsigned char* header);
std::uint32_t colourTableBytes(const unsigned char* header);
unsigned char* dibPixels(unsigned char* header);
const unsigned char* dibPixels(const unsigned char* header);
std::int32_t dibWidth(const unsigned char* header);
std::int32_t dibHeight(const unsigned char* header);
std::uint16_t dibBitCount(const unsigned char* header);

// Bytes of one padded pixel row: bit count × width rounded up to 32 bits (0 for a negative width).
std::uint64_t dibRowBytes(std::int64_t width, std::uint32_t bitCount);
// A row length rounded up to a multiple of 4.
constexpr std::uint64_t paddedRowBytes(std::uint64_t rowBytes) {
    return (rowBytes + 3) & ~std::uint64_t{3};
}

} // namespace platemap
