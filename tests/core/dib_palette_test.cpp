#include "raster/dib.h"
#include "raster/dib_palette.h"

#include <cstring>
#include <gtest/gtest.h>

namespace platemap {
namespace {

using Colours = std::vector<platform::PaletteColour>;

// A DIB block holding exactly these bytes.
platform::MemoryBlock blockOf(const std::vector<std::uint8_t>& bytes) {
    platform::MemoryBlock block(platform::allocateMovable(bytes.size()));
    const platform::MemoryLock lock(block.get());
    std::memcpy(lock.bytes(), bytes.data(), bytes.size());
    return block;
}

std::vector<std::uint8_t> infoHeaderDib(std::uint16_t bitCount, std::uint32_t coloursUsed,
                                        const std::vector<std::uint8_t>& table) {
    BitmapInfoHeader info;
    info.width = 1;
    info.height = 1;
    info.bitCount = bitCount;
    info.clrUsed = coloursUsed;
    std::vector<std::uint8_t> bytes(infoHeaderSize);
    writeInfoHeader(bytes.data(), info);
    bytes.insert(bytes.end(), table.begin(), table.end());
    bytes.resize(bytes.size() + 4, 0); // one padded row
    return bytes;
}

TEST(PaletteFromDib, InformationHeaderEntriesAreBlueGreenRedReserved) {
    const auto dib = blockOf(infoHeaderDib(8, 3, {1, 2, 3, 0, 40, 50, 60, 0, 255, 0, 128, 9}));
    const platform::UniquePalette palette = paletteFromDib(dib.get());
    ASSERT_TRUE(palette);
    EXPECT_EQ(platform::paletteColours(palette.get()),
              (Colours{{3, 2, 1}, {60, 50, 40}, {128, 0, 255}}));
}

TEST(PaletteFromDib, CoreHeaderEntriesAreThreeBytes) {
    // BITMAPCOREHEADER: size 12, width 1, height 1, planes 1, 1 bit; then two RGBTRIPLEs.
    const auto dib =
        blockOf({12, 0, 0, 0, 1, 0, 1, 0, 1, 0, 1, 0, 10, 20, 30, 200, 100, 0, 0, 0, 0, 0});
    const platform::UniquePalette palette = paletteFromDib(dib.get());
    ASSERT_TRUE(palette);
    EXPECT_EQ(platform::paletteColours(palette.get()), (Colours{{30, 20, 10}, {0, 100, 200}}));
}

TEST(PaletteFromDib, NoneWithoutATableThatFitsTheBlock) {
    EXPECT_FALSE(paletteFromDib(nullptr));
    const auto deep = blockOf(infoHeaderDib(24, 0, {}));
    EXPECT_FALSE(paletteFromDib(deep.get()));
    const auto overstated = blockOf(infoHeaderDib(8, 60000, {1, 2, 3, 0}));
    EXPECT_FALSE(paletteFromDib(overstated.get()));
}

} // namespace
} // namespace platemap
