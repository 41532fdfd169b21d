#include "platform/files.h"
#include "raster/bmp_quantizer.h"
#include "support/bitmap_bytes.h"
#include "support/reference_octree.h"
#include "support/rgb_image.h"
#include "support/temp_file.h"

#include <algorithm>
#include <functional>
#include <gtest/gtest.h>
#include <map>
#include <set>

namespace platemap {
namespace {

struct Quantized {
    bool succeeded = false;
    int colourCount = 0;
    test::PalettedBitmap bitmap;
};

Quantized quantizeImage(const test::RgbImage& image, int limit) {
    const test::TempFile input(".bmp");
    const test::TempFile output(".bmp");
    input.write(test::bitmapFile24(image));
    BmpQuantizer quantizer;
    quantizer.setMaxColours(limit);
    Quantized result;
    result.succeeded = quantizer.quantize(input.path(), output.path());
    result.colourCount = quantizer.colourCount();
    const std::vector<std::uint8_t> bytes = output.read();
    const auto bitmap = test::readPalettedBitmap(bytes);
    EXPECT_TRUE(bitmap.has_value()) << "output of " << bytes.size() << " bytes";
    if (bitmap) {
        EXPECT_EQ(bitmap->fileSize, bytes.size());
        EXPECT_EQ(bitmap->rows.size(), static_cast<std::size_t>(image.height));
        result.bitmap = *bitmap;
    }
    return result;
}

// Red, green and blue bit 7, then bit 6, and so on: the order of the octree's slots.
std::uint32_t interleavedBits(Rgb colour) {
    std::uint32_t key = 0;
    for (int bit = 7; bit >= 0; --bit) {
        key = key << 3 | (colour.red >> bit & 1u) << 2 | (colour.green >> bit & 1u) << 1 |
              (colour.blue >> bit & 1u);
    }
    return key;
}

void expectTableTailIsZero(const test::PalettedBitmap& bitmap, int used) {
    ASSERT_EQ(bitmap.colourTable.size(), 256u);
    for (std::size_t entry = static_cast<std::size_t>(used); entry < 256; ++entry)
        EXPECT_EQ(bitmap.colourTable[entry], (std::array<std::uint8_t, 4>{})) << "entry " << entry;
}

TEST(BmpQuantizer, KeepsFewerColoursThanTheLimitExactlyInInterleavedBitOrder) {
    const std::vector<Rgb> colours = {
        {255, 0, 0}, {0, 255, 0},   {0, 0, 255},   {128, 128, 128}, {127, 127, 127}, {1, 0, 0},
        {0, 0, 1},   {200, 10, 30}, {10, 200, 30}, {255, 255, 255}, {0, 0, 0}};
    test::RgbImage image{7, 5, {}};
    for (int i = 0; i < image.width * image.height; ++i)
        image.pixels.push_back(colours[static_cast<std::size_t>(i * 3 % 11)]);
    std::vector<Rgb> expected = colours;
    std::sort(expected.begin(), expected.end(),
              [](Rgb a, Rgb b) { return interleavedBits(a) < interleavedBits(b); });

    const Quantized result = quantizeImage(image, 256);

    ASSERT_TRUE(result.succeeded);
    ASSERT_EQ(result.colourCount, static_cast<int>(expected.size()));
    EXPECT_EQ(result.bitmap.coloursImportant, expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(result.bitmap.colour(static_cast<int>(i)), expected[i]) << "entry " << i;
        EXPECT_EQ(result.bitmap.colourTable[i][3], 0);
    }
    expectTableTailIsZero(result.bitmap, result.colourCount);
    for (int row = 0; row < image.height; ++row) {
        for (int x = 0; x < image.width; ++x) {
            const auto position = std::find(expected.begin(), expected.end(), image.at(x, row));
            EXPECT_EQ(result.bitmap.index(x, row), position - expected.begin());
        }
    }
}

TEST(BmpQuantizer, SingleColourGivesOneEntryAndZeroIndices) {
    const Rgb colour{37, 180, 99};
    const Quantized result = quantizeImage(test::uniformImage(6, 4, colour), 256);

    ASSERT_TRUE(result.succeeded);
    EXPECT_EQ(result.colourCount, 1);
    EXPECT_EQ(result.bitmap.coloursImportant, 1u);
    EXPECT_EQ(result.bitmap.colour(0), colour);
    expectTableTailIsZero(result.bitmap, 1);
    for (const auto& row : result.bitmap.rows)
        EXPECT_EQ(row, std::vector<std::uint8_t>(8, 0));
}

TEST(BmpQuantizer, WidthFiveGivesSixteenByteInputRowsAndEightByteOutputRows) {
    const int height = 7;
    const test::RgbImage image = test::gradientImage(5, height);
    ASSERT_EQ(test::bitmapFile24(image).size(), 54u + 16u * height);

    const Quantized result = quantizeImage(image, 256);

    ASSERT_TRUE(result.succeeded);
    const test::PalettedBitmap& bitmap = result.bitmap;
    EXPECT_EQ(bitmap.type, 0x4D42);
    EXPECT_EQ(bitmap.fileSize, 1078u + 8u * height);
    EXPECT_EQ(bitmap.dataOffset, 1078u);
    EXPECT_EQ(bitmap.infoSize, 40u);
    EXPECT_EQ(bitmap.width, 5);
    EXPECT_EQ(bitmap.height, height);
    EXPECT_EQ(bitmap.planes, 1);
    EXPECT_EQ(bitmap.bitCount, 8);
    EXPECT_EQ(bitmap.compression, 0u);
    EXPECT_EQ(bitmap.imageSize, 8u * height);
    EXPECT_EQ(bitmap.coloursUsed, 256u);
    ASSERT_EQ(bitmap.rows.size(), static_cast<std::size_t>(height));
    for (int row = 0; row < height; ++row) {
        for (int x = 0; x < 5; ++x)
            EXPECT_EQ(bitmap.colour(bitmap.index(x, row)), image.at(x, row));
    }
}

TEST(BmpQuantizer, NewerInformationHeaderIsWrittenAsFortyBytes) {
    const test::RgbImage image = test::gradientImage(6, 4);
    const test::TempFile input(".bmp");
    const test::TempFile output(".bmp");
    input.write(test::bitmapFile24(image, 124));

    BmpQuantizer quantizer;
    ASSERT_TRUE(quantizer.quantize(input.path(), output.path()));

    const auto bitmap = test::readPalettedBitmap(output.read());
    ASSERT_TRUE(bitmap.has_value());
    EXPECT_EQ(bitmap->infoSize, 40u);
    EXPECT_EQ(bitmap->dataOffset, 1078u);
    for (int row = 0; row < image.height; ++row) {
        for (int x = 0; x < image.width; ++x)
            EXPECT_EQ(bitmap->colour(bitmap->index(x, row)), image.at(x, row));
    }
}

TEST(BmpQuantizer, ManyColoursAtLimit224StayWithinTheLimitWithAFullTable) {
    const test::RgbImage image = test::photoLikeImage(160, 120, 7);
    std::set<std::uint32_t> distinct;
    for (const Rgb colour : image.pixels)
        distinct.insert(interleavedBits(colour));
    ASSERT_GT(distinct.size(), 1000u);

    const Quantized result = quantizeImage(image, 224);

    ASSERT_TRUE(result.succeeded);
    const int count = result.colourCount;
    EXPECT_GT(count, 100);
    EXPECT_LE(count, 224);
    EXPECT_EQ(result.bitmap.coloursUsed, 256u);
    EXPECT_EQ(result.bitmap.coloursImportant, static_cast<std::uint32_t>(count));
    expectTableTailIsZero(result.bitmap, count);
    // Every entry is the mean of the pixels it stands for, so it lies within their range.
    std::map<int, std::pair<Rgb, Rgb>> ranges;
    for (int row = 0; row < image.height; ++row) {
        for (int x = 0; x < image.width; ++x) {
            const int index = result.bitmap.index(x, row);
            ASSERT_LT(index, count);
            const Rgb colour = image.at(x, row);
            auto [range, fresh] = ranges.try_emplace(index, colour, colour);
            auto& [low, high] = range->second;
            low = {std::min(low.red, colour.red), std::min(low.green, colour.green),
                   std::min(low.blue, colour.blue)};
            high = {std::max(high.red, colour.red), std::max(high.green, colour.green),
                    std::max(high.blue, colour.blue)};
        }
    }
    EXPECT_EQ(ranges.size(), static_cast<std::size_t>(count)) << "every entry is used";
    for (const auto& [index, range] : ranges) {
        const Rgb entry = result.bitmap.colour(index);
        EXPECT_TRUE(range.first.red <= entry.red && entry.red <= range.second.red);
        EXPECT_TRUE(range.first.green <= entry.green && entry.green <= range.second.green);
        EXPECT_TRUE(range.first.blue <= entry.blue && entry.blue <= range.second.blue);
    }
}

TEST(BmpQuantizer, LimitOfOneGivesTheMeanColour) {
    const test::RgbImage image = test::randomImage(9, 9, 3);
    std::uint64_t red = 0, green = 0, blue = 0;
    for (const Rgb colour : image.pixels) {
        red += colour.red;
        green += colour.green;
        blue += colour.blue;
    }
    const std::uint64_t pixels = image.pixels.size();

    const Quantized result = quantizeImage(image, 1);

    ASSERT_TRUE(result.succeeded);
    ASSERT_EQ(result.colourCount, 1);
    EXPECT_EQ(result.bitmap.colour(0), (Rgb{static_cast<std::uint8_t>(red / pixels),
                                            static_cast<std::uint8_t>(green / pixels),
                                            static_cast<std::uint8_t>(blue / pixels)}));
    for (const auto& row : result.bitmap.rows)
        EXPECT_TRUE(std::all_of(row.begin(), row.end(), [](std::uint8_t i) { return i == 0; }));
}

// No node is listed yet when the fourth pixel opens a third leaf: (3,3,3) twice went into existing
// children of single-child nodes, (2,2,2) forked the level-7 node, (255,0,0) forked the root. The
// level-7 fork merges into (8/3, 8/3, 8/3) rounded down; red stays alone.
TEST(BmpQuantizer, WithoutAListedNodeTheDeepestForkIsMerged) {
    const test::RgbImage image{4, 1, {{3, 3, 3}, {3, 3, 3}, {2, 2, 2}, {255, 0, 0}}};

    const Quantized result = quantizeImage(image, 2);

    ASSERT_TRUE(result.succeeded);
    ASSERT_EQ(result.colourCount, 2);
    EXPECT_EQ(result.bitmap.colour(0), (Rgb{2, 2, 2}));
    EXPECT_EQ(result.bitmap.colour(1), (Rgb{255, 0, 0}));
    EXPECT_EQ(result.bitmap.rows[0], (std::vector<std::uint8_t>{0, 0, 0, 1}));
}

struct ReferenceCase {
    const char* name;
    std::function<test::RgbImage()> image;
    int limit;

    friend void PrintTo(const ReferenceCase& c, std::ostream* out) { *out << c.name; }
};

class QuantizerMatchesReference : public testing::TestWithParam<ReferenceCase> {};

TEST_P(QuantizerMatchesReference, PaletteAndIndices) {
    const test::RgbImage image = GetParam().image();
    const test::ReferenceQuantization expected = test::referenceQuantize(image, GetParam().limit);

    const Quantized result = quantizeImage(image, GetParam().limit);

    ASSERT_TRUE(result.succeeded);
    ASSERT_EQ(result.colourCount, static_cast<int>(expected.palette.size()));
    EXPECT_LE(result.colourCount, GetParam().limit);
    for (int i = 0; i < result.colourCount; ++i)
        EXPECT_EQ(result.bitmap.colour(i), expected.palette[static_cast<std::size_t>(i)]) << i;
    expectTableTailIsZero(result.bitmap, result.colourCount);
    int mismatches = 0;
    for (int row = 0; row < image.height; ++row) {
        for (int x = 0; x < image.width; ++x) {
            const int want = expected.indices[static_cast<std::size_t>(row * image.width + x)];
            mismatches += result.bitmap.index(x, row) != want;
        }
    }
    EXPECT_EQ(mismatches, 0);
}

INSTANTIATE_TEST_SUITE_P(
    Images, QuantizerMatchesReference,
    testing::Values(
        ReferenceCase{"Gradient224", [] { return test::gradientImage(64, 48); }, 224},
        ReferenceCase{"Gradient16", [] { return test::gradientImage(64, 48); }, 16},
        ReferenceCase{"Gradient8", [] { return test::gradientImage(33, 17); }, 8},
        ReferenceCase{"Random224", [] { return test::randomImage(40, 30, 1); }, 224},
        ReferenceCase{"Random16", [] { return test::randomImage(40, 30, 2); }, 16},
        ReferenceCase{"Random8", [] { return test::randomImage(21, 13, 3); }, 8},
        ReferenceCase{"RepeatedPicks224", [] { return test::randomPicksImage(50, 40, 400, 4); },
                      224},
        ReferenceCase{"RepeatedPicks16", [] { return test::randomPicksImage(50, 40, 60, 5); }, 16},
        ReferenceCase{"PhotoLike224", [] { return test::photoLikeImage(90, 70, 6); }, 224},
        ReferenceCase{"PhotoLike8", [] { return test::photoLikeImage(90, 70, 7); }, 8},
        ReferenceCase{"Random2", [] { return test::randomImage(23, 11, 8); }, 2},
        ReferenceCase{"Random3", [] { return test::randomImage(23, 11, 9); }, 3}),
    [](const testing::TestParamInfo<ReferenceCase>& info) { return info.param.name; });

// Inputs the quantiser turns down, each as complete file bytes.
struct RejectedInput {
    const char* name;
    std::function<std::vector<std::uint8_t>()> bytes;

    friend void PrintTo(const RejectedInput& c, std::ostream* out) { *out << c.name; }
};

std::vector<std::uint8_t> withPixelBytes(test::BitmapHeader header, std::size_t pixelBytes) {
    std::vector<std::uint8_t> bytes = test::bitmapHeaderBytes(header);
    bytes.resize(bytes.size() + pixelBytes, 0x5A);
    return bytes;
}

std::vector<std::uint8_t> truncated(std::vector<std::uint8_t> bytes, std::size_t keep) {
    bytes.resize(keep);
    return bytes;
}

class QuantizerRejects : public testing::TestWithParam<RejectedInput> {};

TEST_P(QuantizerRejects, FailsWithoutOutputAndLeavesTheInput) {
    const test::TempFile input(".bmp");
    const test::TempFile output(".bmp");
    const std::vector<std::uint8_t> bytes = GetParam().bytes();
    input.write(bytes);

    BmpQuantizer quantizer;
    EXPECT_FALSE(quantizer.quantize(input.path(), output.path()));

    EXPECT_FALSE(platform::fileExists(output.path()));
    EXPECT_EQ(input.read(), bytes);
}

INSTANTIATE_TEST_SUITE_P(
    Inputs, QuantizerRejects,
    testing::Values(
        RejectedInput{
            "EightBit",
            [] { return withPixelBytes({.width = 4, .height = 4, .bitCount = 8}, 1024 + 16); }},
        RejectedInput{"ThirtyTwoBit",
                      [] { return withPixelBytes({.width = 4, .height = 4, .bitCount = 32}, 64); }},
        RejectedInput{"NotBM",
                      [] { return withPixelBytes({.type = 0x424D, .width = 4, .height = 4}, 48); }},
        RejectedInput{"ShortFileHeader", [] { return truncated(test::bitmapHeaderBytes({}), 10); }},
        RejectedInput{
            "ShortInfoHeader",
            [] { return truncated(test::bitmapHeaderBytes({.width = 1, .height = 1}), 40); }},
        RejectedInput{"TruncatedPixels",
                      [] {
                          auto bytes = test::bitmapFile24(test::gradientImage(8, 8));
                          return truncated(bytes, bytes.size() - 10);
                      }},
        RejectedInput{
            "DataOffsetPastTheEnd",
            [] { return withPixelBytes({.width = 2, .height = 2, .dataOffset = 4000}, 16); }},
        RejectedInput{"ZeroWidth", [] { return withPixelBytes({.width = 0, .height = 4}, 16); }},
        RejectedInput{"ZeroHeight", [] { return withPixelBytes({.width = 4, .height = 0}, 16); }},
        RejectedInput{"TopDown", [] { return withPixelBytes({.width = 4, .height = -4}, 48); }},
        RejectedInput{"NegativeWidth",
                      [] { return withPixelBytes({.width = -4, .height = 4}, 48); }},
        RejectedInput{"HugeWidth",
                      [] { return withPixelBytes({.width = 0x7FFFFFFF, .height = 1}, 64); }},
        RejectedInput{"HugeHeight",
                      [] { return withPixelBytes({.width = 1, .height = 0x7FFFFFFF}, 64); }},
        RejectedInput{
            "HugeBoth",
            [] { return withPixelBytes({.width = 0x40000000, .height = 0x40000000}, 64); }}),
    [](const testing::TestParamInfo<RejectedInput>& info) { return info.param.name; });

TEST(BmpQuantizer, MissingInputFailsWithoutOutput) {
    const test::TempFile missing(".bmp");
    const test::TempFile output(".bmp");
    BmpQuantizer quantizer;
    EXPECT_FALSE(quantizer.quantize(missing.path(), output.path()));
    EXPECT_FALSE(platform::fileExists(output.path()));
}

TEST(BmpQuantizer, BadInputLeavesAnExistingFileOfTheOutputsNameAlone) {
    const test::TempFile input(".bmp");
    const test::TempFile output(".bmp");
    input.write(withPixelBytes({.width = 4, .height = 4, .bitCount = 8}, 1024 + 16));
    const std::vector<std::uint8_t> existing = {1, 2, 3};
    output.write(existing);

    BmpQuantizer quantizer;
    EXPECT_FALSE(quantizer.quantize(input.path(), output.path()));
    EXPECT_EQ(output.read(), existing);
}

TEST(BmpQuantizer, OutputNamingTheInputFailsAndLeavesTheInput) {
    const test::TempFile input(".bmp");
    const std::vector<std::uint8_t> bytes = test::bitmapFile24(test::gradientImage(4, 4));
    input.write(bytes);
    const std::string directory = platform::tempDirectory();
    const std::string otherSpelling = directory + "./" + input.path().substr(directory.size());

    for (const std::string& output : {input.path(), otherSpelling}) {
        BmpQuantizer quantizer;
        EXPECT_FALSE(quantizer.quantize(input.path(), output)) << output;
        EXPECT_EQ(input.read(), bytes) << output;
    }
}

// Feeds one colour straight into the octree, as many times as a large scan would.
class UniformSource final : public OctreeQuantizer {
  public:
    UniformSource(int width, int height, Rgb colour) : colour_(colour) {
        width_ = width;
        height_ = height;
    }

    Rgb onlyEntry() {
        EXPECT_TRUE(buildTree());
        EXPECT_EQ(numberPaletteEntries(), 1);
        return palette()[0];
    }

  private:
    bool getPixel(int, int, Rgb& colour) override {
        colour = colour_;
        return true;
    }
    bool setPixel(int, int, int) override { return true; }
    bool mapPixels() override { return true; }
    void makePalette() override {}

    Rgb colour_;
};

TEST(OctreeQuantizer, SumsOfMoreThanSixteenMillionWhitePixelsDoNotWrap) {
    // 4200 x 4020 x 255 is above 2^32.
    UniformSource source(4200, 4020, {255, 255, 255});
    EXPECT_EQ(source.onlyEntry(), (Rgb{255, 255, 255}));
}

} // namespace
} // namespace platemap
