#include "platform/files.h"
#include "raster/bitmap_file.h"
#include "raster/dib.h"
#include "raster/dib_errors.h"
#include "support/dib_contents.h"
#include "support/message_boxes.h"
#include "support/temp_file.h"

#include <cstring>
#include <gtest/gtest.h>
#include <numeric>

namespace platemap {
namespace {

using test::TempFile;

std::uint32_t le32(const std::vector<std::uint8_t>& bytes, std::size_t at) {
    return bytes[at] | bytes[at + 1] << 8 | bytes[at + 2] << 16 |
           static_cast<std::uint32_t>(bytes[at + 3]) << 24;
}

void put32(std::vector<std::uint8_t>& bytes, std::size_t at, std::uint32_t value) {
    for (int i = 0; i < 4; ++i)
        bytes[at + i] = static_cast<std::uint8_t>(value >> (8 * i));
}

// A DIB whose pixel bytes count up from `first`, so that every byte is recognisable.
platform::MemoryBlock countingDib(std::int32_t width, std::int32_t height, std::int32_t bits,
                                  std::uint8_t first = 1) {
    auto dib = allocateDib(width, height, (width * bits + 7) / 8, bits, 3780);
    const platform::MemoryLock lock(dib.get());
    unsigned char* table = lock.bytes() + 40;
    for (std::uint32_t i = 0; i < colourTableBytes(lock.bytes()); ++i)
        table[i] = static_cast<unsigned char>(200 - i);
    const auto image = readInfoHeader(lock.bytes()).sizeImage;
    std::iota(dibPixels(lock.bytes()), dibPixels(lock.bytes()) + image, first);
    return dib;
}

template <typename Edit>
void editInfoHeader(const platform::MemoryBlock& dib, Edit edit) {
    const platform::MemoryLock lock(dib.get());
    BitmapInfoHeader info = readInfoHeader(lock.bytes());
    edit(info);
    writeInfoHeader(lock.bytes(), info);
}

// A bitmap file header and information header written byte by byte, as another program would.
std::vector<std::uint8_t> bitmapHeaders(std::int32_t width, std::int32_t height, std::uint16_t bits,
                                        std::uint32_t clrUsed = 0, std::uint32_t sizeImage = 0,
                                        std::uint32_t offset = 0) {
    std::vector<std::uint8_t> bytes(54, 0);
    bytes[0] = 'B';
    bytes[1] = 'M';
    put32(bytes, 10, offset);
    put32(bytes, 14, 40);
    put32(bytes, 18, static_cast<std::uint32_t>(width));
    put32(bytes, 22, static_cast<std::uint32_t>(height));
    bytes[26] = 1;
    bytes[28] = static_cast<std::uint8_t>(bits);
    put32(bytes, 34, sizeImage);
    put32(bytes, 46, clrUsed);
    return bytes;
}

platform::MemoryBlock readFromBytes(const std::vector<std::uint8_t>& bytes) {
    TempFile file(".bmp");
    file.write(bytes);
    const platform::UniqueFile handle(platform::openForReading(file.path()));
    return readBitmapFromHandle(handle.get());
}

TEST(WriteBitmapFile, RgbFiveByThreeWritesOneHundredAndTwoBytes) {
    const TempFile file(".bmp");
    const auto dib = countingDib(5, 3, 24);
    ASSERT_EQ(writeBitmapFile(dib.get(), file.path()), 0);
    const auto bytes = file.read();
    ASSERT_EQ(bytes.size(), 102u);
    EXPECT_EQ(bytes[0], 'B');
    EXPECT_EQ(bytes[1], 'M');
    EXPECT_EQ(le32(bytes, 2), 102u);
    EXPECT_EQ(le32(bytes, 6), 0u);
    EXPECT_EQ(le32(bytes, 10), 54u);
    EXPECT_EQ(le32(bytes, 14), 40u);
    // The rows as they lie in the block, padding included.
    for (std::size_t i = 0; i < 48; ++i)
        EXPECT_EQ(bytes[54 + i], static_cast<std::uint8_t>(1 + i)) << i;
}

TEST(WriteBitmapFile, OneBitThreeByTwoWritesEightPixelBytes) {
    const TempFile file(".bmp");
    const auto dib = countingDib(3, 2, 1);
    ASSERT_EQ(writeBitmapFile(dib.get(), file.path()), 0);
    const auto bytes = file.read();
    EXPECT_EQ(bytes.size(), 14u + 40u + 8u + 8u);
    EXPECT_EQ(le32(bytes, 10), 62u);
    EXPECT_EQ(le32(bytes, 14 + 20), 8u); // image size field
}

TEST(WriteBitmapFile, StoresTheComputedImageSizeInTheDib) {
    const TempFile file(".bmp");
    auto dib = countingDib(6, 2, 8);
    editInfoHeader(dib, [](BitmapInfoHeader& info) { info.sizeImage = 0; });
    ASSERT_EQ(writeBitmapFile(dib.get(), file.path()), 0);
    EXPECT_EQ(test::dibContents(dib.get()).header.sizeImage, 16u);
}

TEST(WriteBitmapFile, Failures) {
    const TempFile file(".bmp");
    EXPECT_EQ(writeBitmapFile(nullptr, file.path()), dibErrorInvalidHandle);
    const auto dib = countingDib(2, 2, 8);
    EXPECT_EQ(writeBitmapFile(dib.get(), platform::tempDirectory()), dibErrorOpenFile);
    EXPECT_EQ(writeBitmapFile(dib.get(), file.path() + "/no/such/folder.bmp"), dibErrorOpenFile);
}

TEST(WriteBitmapFile, HeaderOfAnotherSizeWritesAnEmptyFile) {
    const TempFile file(".bmp");
    auto dib = countingDib(2, 2, 8);
    {
        const platform::MemoryLock lock(dib.get());
        const std::uint32_t core = 12;
        std::memcpy(lock.bytes(), &core, 4);
    }
    EXPECT_EQ(writeBitmapFile(dib.get(), file.path()), 0);
    EXPECT_TRUE(platform::fileExists(file.path()));
    EXPECT_TRUE(file.read().empty());
}

TEST(WriteBitmapFile, SizesPastTheBlockWriteNothing) {
    const TempFile file(".bmp");
    auto dib = countingDib(2, 2, 8);
    editInfoHeader(dib, [](BitmapInfoHeader& info) { info.height = 70000; });
    EXPECT_EQ(writeBitmapFile(dib.get(), file.path()), dibErrorGeneral);
    EXPECT_TRUE(file.read().empty());
}

TEST(ReadBitmapFile, GivesBackWhatWasWritten) {
    for (const int bits : {1, 4, 8, 24}) {
        const TempFile file(".bmp");
        const auto dib = countingDib(13, 7, bits, 9);
        ASSERT_EQ(writeBitmapFile(dib.get(), file.path()), 0);
        const auto back = readBitmapFile(file.path());
        ASSERT_TRUE(back) << bits;
        const auto expected = test::dibContents(dib.get());
        const auto actual = test::dibContents(back.get());
        EXPECT_EQ(actual.header.width, 13);
        EXPECT_EQ(actual.header.height, 7);
        EXPECT_EQ(actual.header.bitCount, bits);
        EXPECT_EQ(actual.colourTable, expected.colourTable) << bits;
        EXPECT_EQ(actual.rows, expected.rows) << bits;
        // A table that the file's header left implicit is counted into the header.
        EXPECT_EQ(actual.header.clrUsed, bits <= 8 ? 1u << bits : 0u);
    }
}

TEST(ReadBitmapFile, MissingFileShowsFileNotFound) {
    const test::RecordedMessageBoxes boxes;
    const TempFile missing(".bmp");
    EXPECT_FALSE(readBitmapFile(missing.path()));
    ASSERT_EQ(boxes.shown().size(), 1u);
    EXPECT_EQ(boxes.shown()[0].text, "File Not Found!");
    EXPECT_EQ(boxes.shown()[0].title, "");
}

TEST(ReadBitmapFile, NotABitmapIsRefusedSilently) {
    const test::RecordedMessageBoxes boxes;
    const TempFile file(".bmp");
    auto bytes = bitmapHeaders(2, 2, 24);
    bytes[0] = 'P';
    bytes.resize(bytes.size() + 16, 0);
    file.write(bytes);
    EXPECT_FALSE(readBitmapFile(file.path()));
    EXPECT_TRUE(boxes.shown().empty());
}

TEST(ReadBitmapFromHandle, FillsImplicitFieldsAndFollowsTheDataOffset) {
    // 8-bit, 3 colours used, image size 0, pixels at offset 100 after a gap.
    auto bytes = bitmapHeaders(3, 2, 8, 3, 0, 100);
    for (std::uint8_t c : {10, 20, 30, 0, 40, 50, 60, 0, 70, 80, 90, 0})
        bytes.push_back(c);
    bytes.resize(100, 0xEE);
    for (std::uint8_t p : {0, 1, 2, 0, 2, 1, 0, 0})
        bytes.push_back(p);
    const auto dib = readFromBytes(bytes);
    ASSERT_TRUE(dib);
    const auto contents = test::dibContents(dib.get());
    EXPECT_EQ(contents.header.sizeImage, 8u);
    EXPECT_EQ(contents.header.clrUsed, 3u);
    EXPECT_EQ(contents.colourTable,
              (std::vector<std::uint8_t>{10, 20, 30, 0, 40, 50, 60, 0, 70, 80, 90, 0}));
    EXPECT_EQ(contents.rows, (std::vector<std::vector<std::uint8_t>>{{2, 1, 0}, {0, 1, 2}}));
}

TEST(ReadBitmapFromHandle, SixteenAndThirtyTwoBitsHaveNoColourTable) {
    for (const std::uint16_t bits : {16, 32}) {
        auto bytes = bitmapHeaders(2, 1, bits);
        for (int i = 0; i < 8; ++i)
            bytes.push_back(static_cast<std::uint8_t>(0xA0 + i));
        const auto dib = readFromBytes(bytes);
        ASSERT_TRUE(dib) << bits;
        const auto contents = test::dibContents(dib.get());
        EXPECT_TRUE(contents.colourTable.empty()) << bits;
        EXPECT_EQ(contents.pixelOffset, 40u);
        EXPECT_EQ(contents.rows[0][0], 0xA0) << bits;
    }
}

TEST(ReadBitmapFromHandle, RefusesHeadersItCannotHold) {
    struct Case {
        const char* name;
        std::vector<std::uint8_t> bytes;
    };
    auto core = bitmapHeaders(2, 2, 24);
    put32(core, 14, 12);
    auto v5 = bitmapHeaders(2, 2, 24);
    put32(v5, 14, 124);
    auto short_ = bitmapHeaders(4, 4, 8);
    short_.resize(short_.size() + 1024 + 10, 0);
    const Case cases[] = {
        {"70000 x 70000 x 24 bits", bitmapHeaders(70000, 70000, 24)},
        {"image size field of 4 GiB", bitmapHeaders(2, 2, 8, 0, 0xFFFFFFFF)},
        {"negative height", bitmapHeaders(2, -2, 24)},
        {"zero width", bitmapHeaders(0, 2, 24)},
        {"colours used beyond 16 bits", bitmapHeaders(2, 2, 8, 0x10000)},
        {"bit count 3", bitmapHeaders(2, 2, 3)},
        {"core header", core},
        {"version 5 header", v5},
        {"pixels cut short", short_},
        {"file header only",
         std::vector<std::uint8_t>{'B', 'M', 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
        {"empty file", {}},
    };
    for (const Case& c : cases)
        EXPECT_FALSE(readFromBytes(c.bytes)) << c.name;
}

TEST(Chunks, MoveEveryByteInPiecesAndReportShortReads) {
    const TempFile file(".bin");
    std::vector<std::uint8_t> data(100000);
    std::iota(data.begin(), data.end(), std::uint8_t{7});
    {
        const platform::UniqueFile out(platform::createForWriting(file.path()));
        EXPECT_EQ(writeInChunks(out.get(), data.data(), 100000), 100000u);
        EXPECT_EQ(writeInChunks(out.get(), data.data(), 0), 0u);
    }
    EXPECT_EQ(file.read(), data);
    const platform::UniqueFile in(platform::openForReading(file.path()));
    std::vector<std::uint8_t> back(100001);
    EXPECT_TRUE(readInChunks(in.get(), back.data(), 0));
    EXPECT_TRUE(readInChunks(in.get(), back.data(), 70000));
    EXPECT_FALSE(readInChunks(in.get(), back.data() + 70000, 30001));
    back.resize(100000);
    EXPECT_EQ(back, data);
}

TEST(DibErrors, TextsAndTheStopBox) {
    EXPECT_STREQ(dibErrorText(0), "Not a Windows DIB file!");
    EXPECT_STREQ(dibErrorText(7), "Error creating Device Dependent Bitmap");
    EXPECT_STREQ(dibErrorText(12), "Printing: GetModuleHandle() couldn't find GDI!");
    EXPECT_STREQ(dibErrorText(19), "File Not Found!");
    EXPECT_STREQ(dibErrorText(21), "General Error on call to DIB function");
    const test::RecordedMessageBoxes boxes;
    for (const int code : {4, 22, -1})
        showDibError(code);
    ASSERT_EQ(boxes.shown().size(), 3u);
    EXPECT_EQ(boxes.shown()[0].text, "Error opening file!");
    EXPECT_EQ(boxes.shown()[1].text, "Undefined Error!");
    EXPECT_EQ(boxes.shown()[2].text, "Undefined Error!");
}

} // namespace
} // namespace platemap
