#include "document/private_tags.h"
#include "platform/files.h"
#include "support/archive_builder.h"
#include "support/message_boxes.h"
#include "support/temp_file.h"
#include "support/tiff_writer.h"

#include <cstdio>
#include <gtest/gtest.h>
#include <numeric>
#include <optional>

#ifndef _WIN32
#include <fcntl.h>
#endif

namespace platemap {
namespace {

using test::TempFile;
using test::TiffImage;
using Bytes = std::vector<std::uint8_t>;

UniqueTiff openTestTiff(const std::string& path) {
    return openTiffWithTags(platform::UniqueFile(platform::openForReading(path)), path.c_str(),
                            "ru");
}

TiffImage smallGrey() {
    TiffImage image;
    image.width = 4;
    image.height = 2;
    image.pixels = Bytes(8, 0x80);
    return image;
}

// The tag's bytes, or none when TIFFGetField reports it absent.
std::optional<Bytes> tagValue(TIFF* tif, ttag_t tag) {
    std::uint32_t count = 0;
    void* bytes = nullptr;
    if (!TIFFGetField(tif, tag, &count, &bytes))
        return std::nullopt;
    const auto* first = static_cast<const std::uint8_t*>(bytes);
    return Bytes(first, first + count);
}

const Bytes clipPath = {'c', 'l', 'i', 'p', 0, 1, 2};
const Bytes hotspots = {'Z', 'R', 'V', 'H', 'T', 'F', 0xFF, 0x00, 0x80};

TEST(PrivateTags, BothTagsInAscendingOrderKeepTheirBytes) {
    for (const bool bigEndian : {false, true}) {
        const TempFile file(".tif");
        TiffImage image = smallGrey();
        image.clipPathTag = clipPath;
        image.hotspotTag = hotspots;
        test::writeTiff(file.path(), image, bigEndian);
        const auto tif = openTestTiff(file.path());
        ASSERT_TRUE(tif);
        // UNDEFINED bytes are never swapped, whatever the file's byte order.
        EXPECT_EQ(tagValue(tif.get(), zrvHotspotTag), hotspots) << bigEndian;
        EXPECT_EQ(tagValue(tif.get(), zrvClipPathTag), clipPath) << bigEndian;
    }
}

TEST(PrivateTags, OnlyTheClipPathLeavesTheHotspotTagAbsent) {
    const TempFile file(".tif");
    TiffImage image = smallGrey();
    image.clipPathTag = clipPath;
    test::writeTiff(file.path(), image);
    const auto tif = openTestTiff(file.path());
    ASSERT_TRUE(tif);
    EXPECT_EQ(tagValue(tif.get(), zrvHotspotTag), std::nullopt);
    EXPECT_EQ(tagValue(tif.get(), zrvClipPathTag), clipPath);
}

TEST(PrivateTags, PlainTiffHasNeither) {
    const TempFile file(".tif");
    test::writeTiff(file.path(), smallGrey());
    const auto tif = openTestTiff(file.path());
    ASSERT_TRUE(tif);
    EXPECT_EQ(tagValue(tif.get(), zrvHotspotTag), std::nullopt);
    EXPECT_EQ(tagValue(tif.get(), zrvClipPathTag), std::nullopt);
}

TEST(PrivateTags, OutOfOrderEntriesAreStillReadEachWithItsOwnBytes) {
    const TempFile file(".tif");
    TiffImage image = smallGrey();
    image.clipPathTag = clipPath;
    image.hotspotTag = hotspots;
    image.privateTagsOutOfOrder = true;
    test::writeTiff(file.path(), image);
    const auto tags = test::firstDirectoryTags(file.path());
    ASSERT_GE(tags.size(), 2u);
    EXPECT_EQ(tags[tags.size() - 2], zrvHotspotTag);
    EXPECT_EQ(tags.back(), zrvClipPathTag);
    const test::RecordedMessageBoxes boxes; // libtiff only warns, which is never shown
    const auto tif = openTestTiff(file.path());
    ASSERT_TRUE(tif);
    EXPECT_EQ(tagValue(tif.get(), zrvHotspotTag), hotspots);
    EXPECT_EQ(tagValue(tif.get(), zrvClipPathTag), clipPath);
    EXPECT_TRUE(boxes.shown().empty());
}

TEST(PrivateTags, OneByteAndSixtyFourKibibytesComeBackWhole) {
    Bytes big(65536);
    std::iota(big.begin(), big.end(), std::uint8_t{3});
    for (const Bytes& value : {Bytes{0x42}, big, Bytes(70001, 0x5A)}) {
        const TempFile file(".tif");
        TiffImage image = smallGrey();
        image.hotspotTag = value;
        test::writeTiff(file.path(), image);
        const auto tif = openTestTiff(file.path());
        ASSERT_TRUE(tif);
        EXPECT_EQ(tagValue(tif.get(), zrvHotspotTag), value) << value.size();
    }
}

TEST(PrivateTags, OnlyTheFirstDirectoryIsRead) {
    const TempFile file(".tif");
    TiffImage second = smallGrey();
    second.hotspotTag = hotspots;
    test::writeTiff(file.path(), std::vector<TiffImage>{smallGrey(), second});
    const auto tif = openTestTiff(file.path());
    ASSERT_TRUE(tif);
    EXPECT_EQ(tagValue(tif.get(), zrvHotspotTag), std::nullopt);
    // The extension applies to every directory the handle sets up.
    ASSERT_TRUE(TIFFReadDirectory(tif.get()));
    EXPECT_EQ(tagValue(tif.get(), zrvHotspotTag), hotspots);
}

TEST(PrivateTags, EverySecondFileGetsTheExtensionToo) {
    registerPrivateTags();
    registerPrivateTags();
    for (int i = 0; i < 3; ++i) {
        const TempFile file(".tif");
        TiffImage image = smallGrey();
        image.hotspotTag = Bytes(static_cast<std::size_t>(i + 1), 0x11);
        test::writeTiff(file.path(), image);
        const auto tif = openTestTiff(file.path());
        ASSERT_TRUE(tif);
        EXPECT_EQ(tagValue(tif.get(), zrvHotspotTag), image.hotspotTag);
    }
}

std::string printedDirectory(const std::string& tiffPath) {
    const TempFile out(".txt");
    {
        const auto tif = openTestTiff(tiffPath);
        EXPECT_TRUE(tif);
        std::FILE* file = std::fopen(out.path().c_str(), "wb");
        TIFFPrintDirectory(tif.get(), file, 0);
        std::fclose(file);
    }
    const auto bytes = out.read();
    return std::string(bytes.begin(), bytes.end());
}

TEST(PrivateTags, PrintingAddsTheClipPathLineLast) {
    const TempFile file(".tif");
    TiffImage image = smallGrey();
    image.clipPathTag = clipPath;
    test::writeTiff(file.path(), image);
    const std::string text = printedDirectory(file.path());
    const std::string line = "  ZRV ClipPath encluded Length: 7 ! \n";
    ASSERT_GE(text.size(), line.size());
    EXPECT_EQ(text.substr(text.size() - line.size()), line) << text;
    EXPECT_NE(text.find("Image Width: 4"), std::string::npos) << text;
}

TEST(PrivateTags, PrintedLengthIsTheLastValueReadAndOnlyWithAClipPath) {
    const TempFile both(".tif");
    TiffImage image = smallGrey();
    image.clipPathTag = clipPath;
    image.hotspotTag = hotspots;
    test::writeTiff(both.path(), image);
    EXPECT_NE(printedDirectory(both.path()).find("  ZRV ClipPath encluded Length: 9 ! \n"),
              std::string::npos);

    const TempFile hotspotOnly(".tif");
    image.clipPathTag.reset();
    test::writeTiff(hotspotOnly.path(), image);
    EXPECT_EQ(printedDirectory(hotspotOnly.path()).find("ZRV ClipPath"), std::string::npos);
}

void expectFileClosed([[maybe_unused]] platform::FileHandle raw, const std::string& path) {
#ifdef _WIN32
    // A handle still open would keep the file from being deleted (it shares reading only).
    EXPECT_TRUE(platform::deleteFile(path));
#else
    (void)path;
    EXPECT_EQ(fcntl(static_cast<int>(raw), F_GETFD), -1);
#endif
}

TEST(PrivateTags, FailedOpenClosesTheFile) {
    const test::RecordedMessageBoxes boxes;
    const TempFile file(".tif");
    file.write(Bytes{'n', 'o', 't', ' ', 'a', ' ', 't', 'i', 'f', 'f'});
    platform::UniqueFile handle(platform::openForReading(file.path()));
    ASSERT_TRUE(handle);
    const platform::FileHandle raw = handle.get();
    EXPECT_FALSE(openTiffWithTags(std::move(handle), file.path().c_str(), "ru"));
    expectFileClosed(raw, file.path());
}

TEST(PrivateTags, ClosingTheTiffClosesTheFile) {
    const TempFile file(".tif");
    test::writeTiff(file.path(), smallGrey());
    platform::UniqueFile handle(platform::openForReading(file.path()));
    const platform::FileHandle raw = handle.get();
    {
        const auto tif = openTiffWithTags(std::move(handle), file.path().c_str(), "ru");
        ASSERT_TRUE(tif);
    }
    expectFileClosed(raw, file.path());
}

} // namespace
} // namespace platemap
