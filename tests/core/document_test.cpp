#include "document/document.h"
#include "platform/text.h"
#include "platform/utf.h"
#include "support/archive_builder.h"
#include "support/dib_contents.h"
#include "support/message_boxes.h"
#include "support/temp_file.h"
#include "support/tiff_writer.h"

#include <gtest/gtest.h>
#include <tiffio.h>

namespace platemap {
namespace {

using test::TempFile;
using test::TiffImage;
using Bytes = std::vector<std::uint8_t>;

TiffImage plate(std::uint32_t width, std::uint32_t height, std::optional<Bytes> hotspots) {
    TiffImage image;
    image.width = width;
    image.height = height;
    image.photometric = PHOTOMETRIC_MINISWHITE;
    image.bitsPerSample = 1;
    image.compression = COMPRESSION_CCITTFAX4;
    image.pixels = Bytes((width + 7) / 8 * height, 0);
    image.hotspotTag = std::move(hotspots);
    return image;
}

Bytes twoHotspotsAndOneWithoutId() {
    return test::ArchiveBuilder::withHeader(3)
        .rectHotspot("A17", "", u"Dichtung \u00d8 40 \u2013 Gummi", 50, 20, 150, 60)
        .rectHotspot("", "", u"no id: no entry", 0, 0, 10, 10)
        .rectHotspot("B2", "aux", u"", 210, 120, -10, 250)
        .data();
}

void loadInto(Document& document, const std::string& path) {
    const std::u16string wide = platform::ansiToWide(path);
    document.LoadFile(wide.c_str());
}

void expectEmpty(const Document& document) {
    EXPECT_FALSE(document.dib);
    EXPECT_FALSE(document.hotspotList);
    EXPECT_TRUE(document.entries.empty());
    EXPECT_EQ(document.current, nullptr);
    EXPECT_EQ(document.imageWidth, 0);
    EXPECT_EQ(document.imageHeight, 0);
}

TEST(Document, StartsEmptyAndKeepsTheScreenDepth) {
    const Document document(8);
    expectEmpty(document);
    EXPECT_EQ(document.screenBitsPerPixel, 8);
    EXPECT_EQ(Document().screenBitsPerPixel, Document::defaultScreenBitsPerPixel);
}

TEST(Document, EntriesAreTheQzRecordsWithAnIdInArchiveOrder) {
    const TempFile file(".itf");
    test::writeTiff(file.path(), plate(200, 100, twoHotspotsAndOneWithoutId()));
    Document document;
    loadInto(document, file.path());
    ASSERT_TRUE(document.dib);
    EXPECT_EQ(document.imageWidth, 200);
    EXPECT_EQ(document.imageHeight, 100);
    ASSERT_TRUE(document.hotspotList);
    EXPECT_EQ(document.hotspotList->size(), 3u);
    ASSERT_EQ(document.entries.size(), 2u);

    const HotspotEntry& a = document.entries[0];
    EXPECT_EQ(a.record, &(*document.hotspotList)[0]);
    EXPECT_EQ(a.record->id, "A17");
    EXPECT_DOUBLE_EQ(a.fracLeft, 0.25);
    EXPECT_DOUBLE_EQ(a.fracTop, 0.2);
    EXPECT_DOUBLE_EQ(a.fracRight, 0.75);
    EXPECT_DOUBLE_EQ(a.fracBottom, 0.6);
    EXPECT_EQ(a.windowRect, CanvasRect{});
    EXPECT_EQ(a.tooltipText, platform::wideToAnsi(u"Dichtung \u00d8 40 \u2013 Gummi"));
#ifndef _WIN32
    EXPECT_EQ(a.tooltipText, "Dichtung \xC3\x98 40 \xE2\x80\x93 Gummi"); // UTF-8 natively
#endif

    // Nothing is flipped, clamped or reordered.
    const HotspotEntry& b = document.entries[1];
    EXPECT_EQ(b.record, &(*document.hotspotList)[2]);
    EXPECT_DOUBLE_EQ(b.fracLeft, 1.05);
    EXPECT_DOUBLE_EQ(b.fracRight, -0.05);
    EXPECT_DOUBLE_EQ(b.fracTop, 1.2);
    EXPECT_DOUBLE_EQ(b.fracBottom, 2.5);
    EXPECT_EQ(b.tooltipText, "");
    EXPECT_EQ(document.current, nullptr);
}

TEST(Document, LoadingTwiceGivesTheSameDocument) {
    const TempFile file(".itf");
    test::writeTiff(file.path(), plate(200, 100, twoHotspotsAndOneWithoutId()));
    Document document;
    loadInto(document, file.path());
    const auto firstPixels = test::dibContents(document.dib.get()).rows;
    document.current = &document.entries[1];
    loadInto(document, file.path());
    EXPECT_EQ(document.current, nullptr);
    ASSERT_EQ(document.entries.size(), 2u);
    EXPECT_EQ(document.entries[0].record->id, "A17");
    EXPECT_EQ(document.entries[1].record->id, "B2");
    EXPECT_EQ(test::dibContents(document.dib.get()).rows, firstPixels);
}

TEST(Document, FailedLoadLeavesNothingOfThePreviousDocument) {
    const TempFile file(".itf");
    test::writeTiff(file.path(), plate(200, 100, twoHotspotsAndOneWithoutId()));
    const TempFile missing(".itf");
    Document document;
    loadInto(document, file.path());
    ASSERT_TRUE(document.dib);
    const test::RecordedMessageBoxes boxes;
    loadInto(document, missing.path());
    expectEmpty(document);
    ASSERT_EQ(boxes.shown().size(), 1u);
    EXPECT_EQ(boxes.shown()[0].text, "Cannot read TIFF header");
}

TEST(Document, NullPathEmptiesTheDocumentSilently) {
    const TempFile file(".itf");
    test::writeTiff(file.path(), plate(20, 10, std::nullopt));
    Document document;
    loadInto(document, file.path());
    ASSERT_TRUE(document.dib);
    const test::RecordedMessageBoxes boxes;
    document.LoadFile(nullptr);
    expectEmpty(document);
    EXPECT_TRUE(boxes.shown().empty());
}

TEST(Document, UndecodableImageDiscardsItsHotspots) {
    const TempFile file(".itf");
    TiffImage image = plate(200, 100, twoHotspotsAndOneWithoutId());
    image.compression = COMPRESSION_NONE;
    image.photometric = PHOTOMETRIC_LOGL;
    test::writeTiff(file.path(), image);
    Document document;
    loadInto(document, file.path());
    expectEmpty(document);
}

TEST(Document, ImageWithoutHotspotsOrWithAForeignTag) {
    const TempFile plain(".itf");
    test::writeTiff(plain.path(), plate(30, 20, std::nullopt));
    Document document;
    loadInto(document, plain.path());
    EXPECT_TRUE(document.dib);
    EXPECT_FALSE(document.hotspotList);
    EXPECT_TRUE(document.entries.empty());

    const TempFile foreign(".itf");
    test::writeTiff(foreign.path(), plate(30, 20, Bytes{'P', 'K', 3, 4, 0, 0}));
    loadInto(document, foreign.path());
    EXPECT_TRUE(document.dib);
    ASSERT_TRUE(document.hotspotList);
    EXPECT_EQ(document.hotspotList->size(), 0u);
    EXPECT_TRUE(document.entries.empty());
}

TEST(Document, HugeOrEmptyImagesLeaveAnEmptyDocument) {
    for (const auto& [width, height] :
         std::vector<std::pair<std::uint32_t, std::uint32_t>>{{70000, 70000}, {0, 100}, {100, 0}}) {
        const TempFile file(".itf");
        TiffImage image = plate(16, 16, twoHotspotsAndOneWithoutId());
        image.photometric = PHOTOMETRIC_RGB;
        image.bitsPerSample = 8;
        image.samplesPerPixel = 3;
        image.compression = COMPRESSION_NONE;
        image.pixels = Bytes(16 * 16 * 3, 0);
        image.declaredWidth = width;
        image.declaredHeight = height;
        test::writeTiff(file.path(), image);
        Document document;
        loadInto(document, file.path());
        expectEmpty(document);
    }
}

TEST(Document, NonAsciiPathsReachTheFile) {
    const TempFile file("-\u00e4\u00f8.itf");
    test::writeTiff(file.path(), plate(8, 8, std::nullopt));
    Document document;
    loadInto(document, file.path());
    EXPECT_TRUE(document.dib);
}

} // namespace
} // namespace platemap
