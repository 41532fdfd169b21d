#include "raster/dib.h"

#include <algorithm>
#include <cstring>

namespace platemap {

namespace {

std::uint32_t headerSize(const unsigned char* header) {
    std::uint32_t size;
    std::memcpy(&size, header, sizeof size);
    return size;
}

std::uint16_t read16(const unsigned char* at) {
    std::uint16_t value;
    std::memcpy(&value, at, sizeof value);
    return value;
}

// Offsets inside a BITMAPCOREHEADER.
constexpr std::size_t coreWidthAt = 4;
constexpr std::size_t coreHeightAt = 6;
constexpr std::size_t coreBitCountAt = 10;

} // namespace

BitmapInfoHeader readInfoHeader(const unsigned char* header) {
    BitmapInfoHeader info;
    std::memcpy(&info, header, sizeof info);
    return info;
}

void writeInfoHeader(unsigned char* header, const BitmapInfoHeader& info) {
    std::memcpy(header, &info, sizeof info);
}

std::uint64_t dibRowBytes(std::int64_t width, std::uint32_t bitCount) {
    if (width <= 0)
        return 0;
    return (static_cast<std::uint64_t>(width) * bitCount + 31) / 32 * 4;
}

platform::MemoryBlock allocateDib(std::int32_t width, std::int32_t height, std::int32_t rowBytes,
                                  std::int32_t bitCount, std::int32_t pixelsPerMetre) {
    if (width <= 0 || height <= 0 || rowBytes < 0 || bitCount < 1 || bitCount > 32)
        return {};
    const std::uint64_t padded = std::max(paddedRowBytes(static_cast<std::uint64_t>(rowBytes)),
                                          dibRowBytes(width, static_cast<std::uint32_t>(bitCount)));
    // Both factors are below 2^32, so the product cannot wrap in 64 bits.
    const std::uint64_t imageBytes = padded * static_cast<std::uint64_t>(height);
    if (imageBytes > maxDibImageBytes)
        return {};
    const std::uint64_t entries = bitCount <= 8 ? std::uint64_t{1} << bitCount : 0;
    const std::uint64_t total = infoHeaderSize + 4 * entries + imageBytes;

    platform::MemoryBlock dib(platform::allocateMovable(static_cast<std::size_t>(total)));
    if (!dib)
        return {};
    const platform::MemoryLock lock(dib.get());
    if (!lock)
        return {};
    BitmapInfoHeader info;
    info.width = width;
    info.height = height;
    info.bitCount = static_cast<std::uint16_t>(bitCount);
    info.sizeImage = static_cast<std::uint32_t>(imageBytes);
    info.xPelsPerMeter = pixelsPerMetre;
    info.yPelsPerMeter = pixelsPerMetre;
    writeInfoHeader(lock.bytes(), info);
    return dib;
}

std::uint16_t colourTableEntries(const unsigned char* header) {
    std::uint16_t bitCount;
    if (headerSize(header) == infoHeaderSize) {
        const BitmapInfoHeader info = readInfoHeader(header);
        if (info.clrUsed != 0)
            return static_cast<std::uint16_t>(info.clrUsed);
        bitCount = info.bitCount;
    } else {
        bitCount = read16(header + coreBitCountAt);
    }
    switch (bitCount) {
    case 1:
        return 2;
    case 4:
        return 16;
    case 8:
        return 256;
    default:
        return 0;
    }
}

std::uint32_t colourTableBytes(const unsigned char* header) {
    const unsigned entrySize = headerSize(header) == infoHeaderSize ? 4 : 3;
    return std::uint32_t{colourTableEntries(header)} * entrySize;
}

unsigned char* dibPixels(unsigned char* header) {
    return header + headerSize(header) + colourTableBytes(header);
}

const unsigned char* dibPixels(const unsigned char* header) {
    return header + headerSize(header) + colourTableBytes(header);
}

std::int32_t dibWidth(const unsigned char* header) {
    if (headerSize(header) == infoHeaderSize)
        return readInfoHeader(header).width;
    return read16(header + coreWidthAt);
}

std::int32_t dibHeight(const unsigned char* header) {
    if (headerSize(header) == infoHeaderSize)
        return readInfoHeader(header).height;
    return read16(header + coreHeightAt);
}

std::uint16_t dibBitCount(const unsigned char* header) {
    if (headerSize(header) == infoHeaderSize)
        return readInfoHeader(header).bitCount;
    return read16(header + coreBitCountAt);
}

} // namespace platemap
