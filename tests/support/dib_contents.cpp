#include "support/dib_contents.h"

#include <cstring>
#include <gtest/gtest.h>

namespace platemap::test {

DibContents dibContents(platform::MemoryHandle dib) {
    DibContents contents;
    if (!dib)
        return contents;
    const platform::MemoryLock lock(dib);
    const unsigned char* block = lock.bytes();
    contents.header = readInfoHeader(block);
    contents.blockBytes = platform::memorySize(dib);
    contents.pixelOffset = static_cast<std::size_t>(dibPixels(block) - block);
    contents.colourTable.assign(block + contents.header.size, dibPixels(block));
    const auto stride =
        static_cast<std::size_t>(dibRowBytes(contents.header.width, contents.header.bitCount));
    const auto used =
        (static_cast<std::size_t>(contents.header.width) * contents.header.bitCount + 7) / 8;
    const auto height = static_cast<std::size_t>(contents.header.height);
    EXPECT_LE(contents.pixelOffset + stride * height, contents.blockBytes);
    for (std::size_t r = 0; r < height; ++r) {
        const unsigned char* row = block + contents.pixelOffset + (height - 1 - r) * stride;
        contents.rows.emplace_back(row, row + used);
    }
    return contents;
}

std::vector<std::uint8_t> dibRgb(platform::MemoryHandle dib) {
    const DibContents contents = dibContents(dib);
    std::vector<std::uint8_t> rgb;
    const unsigned bits = contents.header.bitCount;
    for (const auto& row : contents.rows) {
        for (std::int32_t x = 0; x < contents.header.width; ++x) {
            if (bits == 24) {
                rgb.push_back(row[3 * x + 2]);
                rgb.push_back(row[3 * x + 1]);
                rgb.push_back(row[3 * x]);
                continue;
            }
            const std::size_t bit = static_cast<std::size_t>(x) * bits;
            const unsigned index = (row[bit / 8] >> (8 - bits - bit % 8)) & ((1u << bits) - 1);
            EXPECT_LT(4 * index + 2, contents.colourTable.size());
            if (4 * index + 2 >= contents.colourTable.size())
                return {};
            rgb.push_back(contents.colourTable[4 * index + 2]);
            rgb.push_back(contents.colourTable[4 * index + 1]);
            rgb.push_back(contents.colourTable[4 * index]);
        }
    }
    return rgb;
}

} // namespace platemap::test
