#include "document/document.h"
#include "document/palette_display.h"
#include "platform/files.h"
#include "platform/text.h"
#include "raster/dib.h"
#include "support/dib_contents.h"
#include "support/message_boxes.h"
#include "support/reference_octree.h"
#include "support/rgb_image.h"
#include "support/temp_file.h"
#include "support/tiff_writer.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <set>
#include <tiffio.h>

namespace platemap {
namespace {

using Bytes = std::vector<std::uint8_t>;

struct NamesCase {
    std::int32_t number;
    const char* first;
};

TEST(ReductionFiles, NumberAndZeroThenTifWithTheSecondEndingInTif1) {
    const NamesCase cases[] = {
        {0, "D/00.tif"},
        {1234567, "D/12345670.tif"},
        {-1, "D/-10.tif"},
        // An address at 0x80000000 or above reads as a negative 32-bit number.
        {static_cast<std::int32_t>(0x80000010u), "D/-21474836320.tif"},
        {std::numeric_limits<std::int32_t>::min(), "D/-21474836480.tif"},
        {std::numeric_limits<std::int32_t>::max(), "D/21474836470.tif"},
    };
    for (const NamesCase& c : cases) {
        const ReductionFiles files = reductionFiles("D/", c.number);
        EXPECT_EQ(files.first, c.first);
        EXPECT_EQ(files.second, std::string(c.first) + "1");
    }
}

test::TiffImage greyTiff(unsigned bits) {
    const std::uint32_t width = 13;
    const std::uint32_t height = 5;
    std::vector<std::uint8_t> values;
    for (std::uint32_t i = 0; i < width * height; ++i)
        values.push_back(static_cast<std::uint8_t>(i * 7 % (1u << bits)));
    test::TiffImage tiff;
    tiff.width = width;
    tiff.height = height;
    tiff.bitsPerSample = static_cast<std::uint16_t>(bits);
    tiff.pixels = test::packSamples(values, width, height, bits);
    return tiff;
}

void load(Document& document, const std::string& path) {
    const std::u16string wide = platform::ansiToWide(path);
    document.LoadFile(wide.c_str());
}

// Stand-ins at the names the document's reduction would use: a load that leaves them as they
// are neither wrote nor deleted them.
class DecoyFiles {
  public:
    explicit DecoyFiles(const Document& document)
        : files_(reductionFiles(platform::tempDirectory(), platform::addressNumber(&document))) {
        test::writeWholeFile(files_.first, decoy);
        test::writeWholeFile(files_.second, decoy);
    }
    DecoyFiles(const DecoyFiles&) = delete;
    DecoyFiles& operator=(const DecoyFiles&) = delete;
    ~DecoyFiles() {
        platform::deleteFile(files_.first);
        platform::deleteFile(files_.second);
    }

    bool untouched() const {
        return test::readWholeFile(files_.first) == decoy &&
               test::readWholeFile(files_.second) == decoy;
    }
    bool gone() const {
        return !platform::fileExists(files_.first) && !platform::fileExists(files_.second);
    }

  private:
    static inline const Bytes decoy = {'d', 'e', 'c', 'o', 'y'};
    ReductionFiles files_;
};

std::vector<platform::PaletteColour> colourTableOf(platform::MemoryHandle dib) {
    const test::DibContents contents = test::dibContents(dib);
    std::vector<platform::PaletteColour> colours;
    for (std::size_t at = 0; at + 3 < contents.colourTable.size(); at += 4) {
        colours.push_back(
            {contents.colourTable[at + 2], contents.colourTable[at + 1], contents.colourTable[at]});
    }
    return colours;
}

TEST(PaletteDisplay, DeepDisplaysKeepATwentyFourBitImageWithoutPaletteOrFiles) {
    const test::TempFile file(".tif");
    test::writeTiff(file.path(), test::rgbTiff(test::photoLikeImage(40, 30, 1)));
    for (const std::int32_t depth : {16, 24, 32}) {
        Document document(depth);
        const DecoyFiles decoys(document);
        load(document, file.path());
        ASSERT_TRUE(document.dib) << depth;
        EXPECT_EQ(test::dibContents(document.dib.get()).header.bitCount, 24) << depth;
        EXPECT_FALSE(document.palette) << depth;
        EXPECT_TRUE(decoys.untouched()) << depth;
    }
}

// The loaded image in the order a bitmap file stores its rows (bottom row first).
test::RgbImage bottomUp(const test::RgbImage& image) {
    test::RgbImage flipped{image.width, image.height, {}};
    for (int row = image.height - 1; row >= 0; --row) {
        for (int x = 0; x < image.width; ++x)
            flipped.pixels.push_back(image.at(x, row));
    }
    return flipped;
}

TEST(PaletteDisplay, EightBitDisplayReducesATwentyFourBitImageAndLeavesNoFiles) {
    const test::RgbImage image = test::photoLikeImage(64, 48, 2);
    const test::TempFile file(".tif");
    test::writeTiff(file.path(), test::rgbTiff(image));
    Document document(8);
    const DecoyFiles decoys(document);

    load(document, file.path());

    ASSERT_TRUE(document.dib);
    EXPECT_EQ(test::dibContents(document.dib.get()).header.bitCount, 8);
    EXPECT_EQ(document.imageWidth, 64);
    EXPECT_EQ(document.imageHeight, 48);
    EXPECT_TRUE(decoys.gone());
    // Every pixel shows the colour the octree gives it at 224 colours.
    const test::ReferenceQuantization expected =
        test::referenceQuantize(bottomUp(image), paletteDisplayColours);
    ASSERT_LE(expected.palette.size(), 224u);
    const Bytes shown = test::dibRgb(document.dib.get());
    ASSERT_EQ(shown.size(), 3 * image.pixels.size());
    std::set<std::vector<std::uint8_t>> distinct;
    for (int row = 0; row < image.height; ++row) {
        for (int x = 0; x < image.width; ++x) {
            const std::size_t at = 3 * static_cast<std::size_t>(row * image.width + x);
            const std::size_t fileOrder =
                static_cast<std::size_t>((image.height - 1 - row) * image.width + x);
            const Rgb want =
                expected.palette[static_cast<std::size_t>(expected.indices[fileOrder])];
            EXPECT_EQ((Rgb{shown[at], shown[at + 1], shown[at + 2]}), want) << x << "," << row;
            distinct.insert({shown[at], shown[at + 1], shown[at + 2]});
        }
    }
    EXPECT_LE(distinct.size(), 224u);
    ASSERT_TRUE(document.palette);
    EXPECT_EQ(platform::paletteColours(document.palette.get()), colourTableOf(document.dib.get()));
}

TEST(PaletteDisplay, EightBitDisplayKeepsPaletteImagesAndUsesTheirOwnTable) {
    for (const unsigned bits : {1u, 4u, 8u}) {
        const test::TempFile file(".tif");
        test::writeTiff(file.path(), greyTiff(bits));
        Document deep(32);
        load(deep, file.path());
        Document shallow(8);
        const DecoyFiles decoys(shallow);

        load(shallow, file.path());

        ASSERT_TRUE(shallow.dib) << bits;
        const test::DibContents kept = test::dibContents(shallow.dib.get());
        const test::DibContents loaded = test::dibContents(deep.dib.get());
        EXPECT_EQ(kept.header.bitCount, bits);
        EXPECT_EQ(kept.rows, loaded.rows) << bits;
        EXPECT_EQ(kept.colourTable, loaded.colourTable) << bits;
        ASSERT_TRUE(shallow.palette) << bits;
        const auto colours = platform::paletteColours(shallow.palette.get());
        EXPECT_EQ(colours.size(), std::size_t{1} << bits);
        EXPECT_EQ(colours, colourTableOf(shallow.dib.get())) << bits;
        EXPECT_TRUE(decoys.untouched()) << bits;
    }
}

TEST(PaletteDisplay, UnreadableReductionKeepsTheImageAfterFileNotFound) {
    // The quantiser takes 24 bits only, so a 32-bit image leaves no reduced file to read.
    platform::MemoryBlock dib = allocateDib(4, 3, 16, 32, 0);
    ASSERT_TRUE(dib);
    const platform::MemoryHandle original = dib.get();
    const std::int32_t number = 424242;
    const ReductionFiles files = reductionFiles(platform::tempDirectory(), number);
    const test::RecordedMessageBoxes boxes;

    const platform::UniquePalette palette = adaptDibToPaletteDisplay(dib, number);

    EXPECT_EQ(dib.get(), original);
    EXPECT_FALSE(palette);
    ASSERT_EQ(boxes.shown().size(), 1u);
    EXPECT_EQ(boxes.shown()[0].text, "File Not Found!");
    EXPECT_FALSE(platform::fileExists(files.first));
    EXPECT_FALSE(platform::fileExists(files.second));
}

TEST(PaletteDisplay, NextLoadReleasesThePalette) {
    const test::TempFile file(".tif");
    test::writeTiff(file.path(), greyTiff(4));
    const test::TempFile missing(".tif");
    Document document(8);
    load(document, file.path());
    ASSERT_TRUE(document.palette);

    const test::RecordedMessageBoxes boxes;
    load(document, missing.path());

    EXPECT_FALSE(document.dib);
    EXPECT_FALSE(document.palette);
}

} // namespace
} // namespace platemap
