#include "raster/dib.h"
#include "support/dib_contents.h"

#include <cstring>
#include <gtest/gtest.h>

namespace platemap {
namespace {

using test::dibContents;

TEST(Dib, RgbFiveByThreeHasNoColourTableAndPaddedRows) {
    const auto dib = allocateDib(5, 3, 15, 24, 2835);
    ASSERT_TRUE(dib);
    const auto contents = dibContents(dib.get());
    EXPECT_EQ(contents.blockBytes, 40u + 48u);
    EXPECT_EQ(contents.pixelOffset, 40u);
    const BitmapInfoHeader& h = contents.header;
    EXPECT_EQ(h.size, 40u);
    EXPECT_EQ(h.width, 5);
    EXPECT_EQ(h.height, 3);
    EXPECT_EQ(h.planes, 1);
    EXPECT_EQ(h.bitCount, 24);
    EXPECT_EQ(h.compression, 0u);
    EXPECT_EQ(h.sizeImage, 48u);
    EXPECT_EQ(h.xPelsPerMeter, 2835);
    EXPECT_EQ(h.yPelsPerMeter, 2835);
    EXPECT_EQ(h.clrUsed, 0u);
    EXPECT_EQ(h.clrImportant, 0u);
}

TEST(Dib, ColourTableByBitCountIsZeroFilled) {
    struct Case {
        int bits;
        std::size_t entries;
    };
    for (const Case c : {Case{1, 2}, Case{4, 16}, Case{8, 256}, Case{16, 0}, Case{32, 0}}) {
        const auto dib = allocateDib(7, 2, (7 * c.bits + 7) / 8, c.bits, 0);
        ASSERT_TRUE(dib) << c.bits;
        const auto contents = dibContents(dib.get());
        EXPECT_EQ(contents.colourTable.size(), 4 * c.entries) << c.bits;
        EXPECT_EQ(contents.colourTable, std::vector<std::uint8_t>(4 * c.entries, 0)) << c.bits;
        const platform::MemoryLock lock(dib.get());
        EXPECT_EQ(colourTableEntries(lock.bytes()), c.entries);
        EXPECT_EQ(colourTableBytes(lock.bytes()), 4 * c.entries);
    }
}

TEST(Dib, ColoursUsedFieldDecidesTheTable) {
    const auto dib = allocateDib(4, 4, 4, 8, 0);
    ASSERT_TRUE(dib);
    const platform::MemoryLock lock(dib.get());
    BitmapInfoHeader info = readInfoHeader(lock.bytes());
    info.clrUsed = 224;
    writeInfoHeader(lock.bytes(), info);
    EXPECT_EQ(colourTableEntries(lock.bytes()), 224);
    EXPECT_EQ(dibPixels(lock.bytes()) - lock.bytes(), 40 + 896);
    // Taken as a 16-bit count.
    info.clrUsed = 0x10003;
    writeInfoHeader(lock.bytes(), info);
    EXPECT_EQ(colourTableEntries(lock.bytes()), 3);
}

TEST(Dib, CoreHeaderHasThreeByteEntriesAndSixteenBitSizes) {
    unsigned char core[12 + 3 * 16] = {};
    const std::uint32_t size = 12;
    std::memcpy(core, &size, 4);
    core[4] = 0x34, core[5] = 0x12; // width 0x1234
    core[6] = 0x02, core[7] = 0x01; // height 0x0102
    core[8] = 1;
    core[10] = 4; // bits
    EXPECT_EQ(dibWidth(core), 0x1234);
    EXPECT_EQ(dibHeight(core), 0x0102);
    EXPECT_EQ(colourTableEntries(core), 16);
    EXPECT_EQ(colourTableBytes(core), 48u);
    EXPECT_EQ(dibPixels(core), core + 12 + 48);
}

TEST(Dib, RowBytesRoundUpToThirtyTwoBits) {
    EXPECT_EQ(dibRowBytes(3, 1), 4u);
    EXPECT_EQ(dibRowBytes(33, 1), 8u);
    EXPECT_EQ(dibRowBytes(5, 4), 4u);
    EXPECT_EQ(dibRowBytes(9, 4), 8u);
    EXPECT_EQ(dibRowBytes(5, 24), 16u);
    EXPECT_EQ(dibRowBytes(-5, 24), 0u);
    EXPECT_EQ(paddedRowBytes(0), 0u);
    EXPECT_EQ(paddedRowBytes(13), 16u);
}

TEST(Dib, ShortRowLengthStillGetsRowsThatHoldTheWidth) {
    // Eight pixels of 8 bits in a row said to be one byte long: the rows still hold 8 bytes.
    const auto dib = allocateDib(8, 2, 1, 8, 0);
    ASSERT_TRUE(dib);
    EXPECT_EQ(dibContents(dib.get()).header.sizeImage, 16u);
}

TEST(Dib, RefusesWhatNoBlockCanHold) {
    struct Case {
        const char* name;
        std::int32_t width, height, rowBytes, bits;
    };
    const Case cases[] = {
        {"zero width", 0, 5, 0, 8},
        {"zero height", 5, 0, 5, 8},
        {"negative height", 5, -3, 5, 8},
        {"negative row length", 5, 3, -1, 8},
        {"bit count 0", 5, 3, 5, 0},
        {"bit count 33", 5, 3, 5, 33},
        {"70000 x 70000 x 24 bits", 70000, 70000, 210000, 24},
        {"rows times height beyond 32 bits", 0x7FFFFFFF, 0x7FFFFFFF, 0x7FFFFFFF, 8},
        {"just over the image limit", 1 << 15, (1 << 15) + 1, 1 << 15, 8},
    };
    for (const Case& c : cases)
        EXPECT_FALSE(allocateDib(c.width, c.height, c.rowBytes, c.bits, 0)) << c.name;
}

} // namespace
} // namespace platemap
