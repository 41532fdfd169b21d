#include "archive/hotspot_list.h"
#include "document/tiff_loader.h"
#include "support/archive_builder.h"
#include "support/archive_matchers.h"
#include "support/dib_contents.h"
#include "support/message_boxes.h"
#include "support/temp_file.h"
#include "support/tiff_writer.h"

#include <cstring>
#include <gtest/gtest.h>
#include <tiffio.h>

namespace platemap {
namespace {

using test::TempFile;
using test::TiffImage;
using Bytes = std::vector<std::uint8_t>;
using Rows = std::vector<Bytes>;

struct Loaded {
    platform::MemoryBlock dib;
    std::unique_ptr<HotspotList> list;
    std::vector<test::MessageBoxShown> boxes;
    std::string path;
};

Loaded loadPath(const std::string& path) {
    const test::RecordedMessageBoxes boxes;
    TiffLoader loader;
    Loaded result;
    result.dib = loader.Load(path.c_str());
    result.list = loader.takeHotspotList();
    result.boxes = boxes.shown();
    result.path = path;
    return result;
}

Loaded load(const std::vector<TiffImage>& images, bool bigEndian = false) {
    const TempFile file(".tif");
    test::writeTiff(file.path(), images, bigEndian);
    return loadPath(file.path());
}

Loaded load(const TiffImage& image, bool bigEndian = false) {
    return load(std::vector<TiffImage>{image}, bigEndian);
}

// The file's scanlines, one per row, as the tests wrote them.
Rows scanlines(const TiffImage& image) {
    Rows rows;
    const std::size_t row = image.scanlineBytes();
    for (std::uint32_t r = 0; r < image.height; ++r)
        rows.emplace_back(image.pixels.begin() + static_cast<std::ptrdiff_t>(r * row),
                          image.pixels.begin() + static_cast<std::ptrdiff_t>((r + 1) * row));
    return rows;
}

// RGBQUAD bytes of a grey ramp, black to white or (min-is-white) white to black.
Bytes greyTable(unsigned bits, bool minIsWhite) {
    Bytes table;
    const unsigned n = 1u << bits;
    for (unsigned i = 0; i < n; ++i) {
        auto v = static_cast<std::uint8_t>(i * 255 / (n - 1));
        if (minIsWhite)
            v = static_cast<std::uint8_t>(255 - v);
        table.insert(table.end(), {v, v, v, 0});
    }
    return table;
}

TiffImage indexedImage(std::uint16_t photometric, std::uint16_t bits, std::uint32_t width,
                       std::uint32_t height, const Bytes& values) {
    TiffImage image;
    image.width = width;
    image.height = height;
    image.photometric = photometric;
    image.bitsPerSample = bits;
    image.pixels = test::packSamples(values, width, height, bits);
    return image;
}

Bytes pattern(std::size_t count, unsigned modulo, unsigned seed = 7) {
    Bytes values(count);
    unsigned x = seed;
    for (auto& v : values) {
        x = x * 1103515245u + 12345u;
        v = static_cast<std::uint8_t>((x >> 16) % modulo);
    }
    return values;
}

TiffImage rgbImage(std::uint32_t width, std::uint32_t height) {
    TiffImage image;
    image.width = width;
    image.height = height;
    image.photometric = PHOTOMETRIC_RGB;
    image.samplesPerPixel = 3;
    image.pixels = pattern(std::size_t{3} * width * height, 256, 11);
    return image;
}

// Contiguous RGB bytes into planes R..., G..., B...
Bytes toPlanes(const Bytes& rgb, std::size_t samples) {
    const std::size_t pixels = rgb.size() / samples;
    Bytes planes(rgb.size());
    for (std::size_t p = 0; p < pixels; ++p)
        for (std::size_t s = 0; s < samples; ++s)
            planes[s * pixels + p] = rgb[p * samples + s];
    return planes;
}

void expectNear(const Bytes& actual, const Bytes& expected, int tolerance) {
    ASSERT_EQ(actual.size(), expected.size());
    for (std::size_t i = 0; i < actual.size(); ++i)
        ASSERT_NEAR(actual[i], expected[i], tolerance) << "byte " << i;
}

TEST(TiffLoader, BilevelPixelsAreExactlyAsStoredUnderEveryFaxAndRunCompression) {
    const Bytes values = pattern(37 * 9, 2);
    for (const std::uint16_t photometric : {PHOTOMETRIC_MINISWHITE, PHOTOMETRIC_MINISBLACK}) {
        for (const std::uint16_t compression :
             {COMPRESSION_NONE, COMPRESSION_CCITTRLE, COMPRESSION_CCITTFAX3, COMPRESSION_CCITTFAX4,
              COMPRESSION_PACKBITS, COMPRESSION_LZW, COMPRESSION_ADOBE_DEFLATE}) {
            TiffImage image = indexedImage(photometric, 1, 37, 9, values);
            image.compression = compression;
            const Loaded loaded = load(image);
            ASSERT_TRUE(loaded.dib) << compression;
            const auto dib = test::dibContents(loaded.dib.get());
            EXPECT_EQ(dib.header.bitCount, 1);
            EXPECT_EQ(dib.header.width, 37);
            EXPECT_EQ(dib.header.height, 9);
            const Bytes expectedTable = photometric == PHOTOMETRIC_MINISWHITE
                                            ? Bytes{255, 255, 255, 0, 0, 0, 0, 0}
                                            : Bytes{0, 0, 0, 0, 255, 255, 255, 0};
            EXPECT_EQ(dib.colourTable, expectedTable);
            EXPECT_EQ(dib.rows, scanlines(image)) << photometric << " " << compression;
            EXPECT_TRUE(loaded.boxes.empty());
        }
    }
}

TEST(TiffLoader, GreyRampsOfFourAndEightBits) {
    struct Case {
        std::uint16_t bits;
        std::uint16_t photometric;
    };
    for (const Case c : {Case{4, PHOTOMETRIC_MINISBLACK}, Case{4, PHOTOMETRIC_MINISWHITE},
                         Case{8, PHOTOMETRIC_MINISBLACK}, Case{8, PHOTOMETRIC_MINISWHITE}}) {
        const unsigned n = 1u << c.bits;
        Bytes values;
        for (unsigned y = 0; y < 3; ++y)
            for (unsigned x = 0; x < n + 3; ++x)
                values.push_back(static_cast<std::uint8_t>((x + y) % n));
        const TiffImage image = indexedImage(c.photometric, c.bits, n + 3, 3, values);
        const Loaded loaded = load(image);
        ASSERT_TRUE(loaded.dib);
        const auto dib = test::dibContents(loaded.dib.get());
        EXPECT_EQ(dib.header.bitCount, c.bits);
        EXPECT_EQ(dib.colourTable, greyTable(c.bits, c.photometric == PHOTOMETRIC_MINISWHITE));
        EXPECT_EQ(dib.rows, scanlines(image));
    }
    // The four-bit ramp by its documented values.
    const Bytes ramp = greyTable(4, false);
    EXPECT_EQ(ramp[4 * 1], 17);
    EXPECT_EQ(ramp[4 * 2], 34);
    EXPECT_EQ(ramp[4 * 15], 255);
}

TEST(TiffLoader, PaletteImagesUseTheHighBytesOfTheColorMap) {
    for (const std::uint16_t bits : {1, 4, 8}) {
        const unsigned n = 1u << bits;
        const Bytes values = pattern(21 * 5, n);
        TiffImage image = indexedImage(PHOTOMETRIC_PALETTE, bits, 21, 5, values);
        Bytes expectedTable;
        for (unsigned i = 0; i < n; ++i) {
            const auto r = static_cast<std::uint16_t>((i * 7 % 256) << 8 | 0x5A);
            const auto g = static_cast<std::uint16_t>((255 - i) << 8 | 0xFF);
            const auto b = static_cast<std::uint16_t>((i * 3 % 256) << 8);
            image.colorMap.push_back(r);
            expectedTable.insert(expectedTable.end(), {static_cast<std::uint8_t>(b >> 8),
                                                       static_cast<std::uint8_t>(g >> 8),
                                                       static_cast<std::uint8_t>(r >> 8), 0});
            (void)g;
        }
        for (unsigned i = 0; i < n; ++i)
            image.colorMap.push_back(static_cast<std::uint16_t>((255 - i) << 8 | 0xFF));
        for (unsigned i = 0; i < n; ++i)
            image.colorMap.push_back(static_cast<std::uint16_t>((i * 3 % 256) << 8));
        const Loaded loaded = load(image);
        ASSERT_TRUE(loaded.dib) << bits;
        const auto dib = test::dibContents(loaded.dib.get());
        EXPECT_EQ(dib.header.bitCount, bits);
        EXPECT_EQ(dib.colourTable, expectedTable) << bits;
        EXPECT_EQ(dib.rows, scanlines(image)) << bits;
    }
}

TEST(TiffLoader, PaletteWithoutColorMapAsLibtiffReadsIt) {
    // libtiff 4.5 reads an 8-bit palette image without a ColorMap as min-is-black, and refuses
    // one of fewer bits outright ("missing required Colormap").
    const Bytes values = pattern(9 * 4, 256);
    const Loaded eight = load(indexedImage(PHOTOMETRIC_PALETTE, 8, 9, 4, values));
    ASSERT_TRUE(eight.dib);
    const auto dib = test::dibContents(eight.dib.get());
    EXPECT_EQ(dib.header.bitCount, 8);
    EXPECT_EQ(dib.colourTable, greyTable(8, false));

    const Loaded four = load(indexedImage(PHOTOMETRIC_PALETTE, 4, 9, 4, pattern(36, 16)));
    EXPECT_FALSE(four.dib);
    ASSERT_FALSE(four.boxes.empty());
    EXPECT_NE(four.boxes[0].text.find("Colormap"), std::string::npos) << four.boxes[0].text;
}

TEST(TiffLoader, RgbIsStoredBlueGreenRedBottomUp) {
    for (const bool bigEndian : {false, true}) {
        const TiffImage image = rgbImage(7, 5);
        const Loaded loaded = load(image, bigEndian);
        ASSERT_TRUE(loaded.dib);
        const auto dib = test::dibContents(loaded.dib.get());
        EXPECT_EQ(dib.header.bitCount, 24);
        EXPECT_TRUE(dib.colourTable.empty());
        EXPECT_EQ(dib.header.sizeImage, 24u * 5);
        // The first byte of the top row in memory order is the blue of pixel (0, 0).
        EXPECT_EQ(dib.rows[0][0], image.pixels[2]);
        EXPECT_EQ(dib.rows[0][2], image.pixels[0]);
        EXPECT_EQ(test::dibRgb(loaded.dib.get()), image.pixels);
    }
}

TEST(TiffLoader, RgbStoredAnyWayDecodesTheSame) {
    const TiffImage plain = rgbImage(40, 33);
    TiffImage lzw = plain;
    lzw.compression = COMPRESSION_LZW;
    lzw.predictor = 2;
    TiffImage deflate = plain;
    deflate.compression = COMPRESSION_DEFLATE;
    TiffImage packBits = plain;
    packBits.compression = COMPRESSION_PACKBITS;
    TiffImage tiled = plain;
    tiled.tileWidth = 16;
    tiled.tileLength = 16;
    TiffImage planes = plain;
    planes.planarConfig = PLANARCONFIG_SEPARATE;
    planes.pixels = toPlanes(plain.pixels, 3);
    TiffImage tiledPlanes = planes;
    tiledPlanes.tileWidth = 16;
    tiledPlanes.tileLength = 32;
    TiffImage strips = plain;
    strips.rowsPerStrip = 4;
    const std::pair<const char*, TiffImage> cases[] = {
        {"LZW with predictor", lzw},  {"Deflate", deflate},
        {"PackBits", packBits},       {"tiles", tiled},
        {"planes", planes},           {"strips of 4 rows", strips},
        {"tiled planes", tiledPlanes}};
    for (const auto& [name, image] : cases) {
        SCOPED_TRACE(name);
        const Loaded loaded = load(image);
        ASSERT_TRUE(loaded.dib);
        EXPECT_EQ(test::dibRgb(loaded.dib.get()), plain.pixels);
        EXPECT_TRUE(loaded.boxes.empty()) << loaded.boxes.front().text;
    }
}

TEST(TiffLoader, YCbCrAndSeparatedGoThroughTheRgbaReader) {
    // YCbCr: neutral chroma keeps the luma as grey.
    TiffImage ycbcr;
    ycbcr.width = 2;
    ycbcr.height = 1;
    ycbcr.photometric = PHOTOMETRIC_YCBCR;
    ycbcr.samplesPerPixel = 3;
    ycbcr.pixels = {200, 128, 128, 30, 128, 128};
    // CMYK: red, green, blue = (255 - k) × (255 - c, m, y) / 255.
    TiffImage cmyk;
    cmyk.width = 3;
    cmyk.height = 1;
    cmyk.photometric = PHOTOMETRIC_SEPARATED;
    cmyk.samplesPerPixel = 4;
    cmyk.pixels = {255, 0, 0, 0, 0, 128, 0, 64, 0, 0, 0, 255};
    struct Case {
        const char* name;
        TiffImage image;
        Bytes rgb;
        int tolerance;
    };
    const Case cases[] = {
        {"YCbCr", ycbcr, {200, 200, 200, 30, 30, 30}, 1},
        {"CMYK", cmyk, {0, 255, 255, 191, 95, 191, 0, 0, 0}, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Loaded loaded = load(c.image);
        ASSERT_TRUE(loaded.dib);
        EXPECT_EQ(test::dibContents(loaded.dib.get()).header.bitCount, 24);
        expectNear(test::dibRgb(loaded.dib.get()), c.rgb, c.tolerance);
        EXPECT_TRUE(loaded.boxes.empty());
    }
}

TEST(TiffLoader, CieLabGoesThroughTheRgbaReader) {
    // libtiff renders L* 100 as a light, slightly warm colour and L* 0 as black.
    TiffImage lab;
    lab.width = 2;
    lab.height = 1;
    lab.photometric = PHOTOMETRIC_CIELAB;
    lab.samplesPerPixel = 3;
    lab.pixels = {255, 0, 0, 0, 0, 0};
    const Loaded loaded = load(lab);
    ASSERT_TRUE(loaded.dib);
    EXPECT_EQ(test::dibContents(loaded.dib.get()).header.bitCount, 24);
    const Bytes rgb = test::dibRgb(loaded.dib.get());
    ASSERT_EQ(rgb.size(), 6u);
    for (int i = 0; i < 3; ++i) {
        EXPECT_GT(rgb[i], 200) << i;
        EXPECT_LE(rgb[3 + i], 2) << i;
    }
}

TEST(TiffLoader, JpegYCbCrDecodesCloseToTheColours) {
    TiffImage image;
    image.width = 32;
    image.height = 16;
    image.photometric = PHOTOMETRIC_YCBCR;
    image.samplesPerPixel = 3;
    image.compression = COMPRESSION_JPEG;
    image.jpegQuality = 95;
    image.rowsPerStrip = 16;
    for (std::uint32_t i = 0; i < image.width * image.height; ++i)
        image.pixels.insert(image.pixels.end(), {200, 40, 60});
    const Loaded loaded = load(image);
    ASSERT_TRUE(loaded.dib);
    expectNear(test::dibRgb(loaded.dib.get()), image.pixels, 4);
}

TEST(TiffLoader, GreySamplesOfOtherDepthsOrWithAlphaBecomeTwentyFourBits) {
    // Two bits: libtiff's RGBA reader spreads 0..3 over 0..255.
    TiffImage two = indexedImage(PHOTOMETRIC_MINISBLACK, 2, 5, 2, {0, 1, 2, 3, 0, 3, 2, 1, 0, 3});
    // Sixteen bits (host order, as libtiff takes them): the high byte counts.
    TiffImage sixteen;
    sixteen.width = 3;
    sixteen.height = 1;
    sixteen.bitsPerSample = 16;
    for (const std::uint16_t v : {0x0000, 0x80FF, 0xFF00}) {
        std::uint8_t bytes[2];
        std::memcpy(bytes, &v, 2);
        sixteen.pixels.insert(sixteen.pixels.end(), bytes, bytes + 2);
    }
    // Eight-bit grey with an opaque alpha sample.
    TiffImage alpha;
    alpha.width = 2;
    alpha.height = 1;
    alpha.samplesPerPixel = 2;
    alpha.extraSamples = {EXTRASAMPLE_ASSOCALPHA};
    alpha.pixels = {10, 255, 240, 255};
    // A 2-bit palette.
    TiffImage palette = indexedImage(PHOTOMETRIC_PALETTE, 2, 4, 1, {0, 1, 2, 3});
    palette.colorMap = {0xFF00, 0x0000, 0x0000, 0x1200, 0x0000, 0xFF00,
                        0x0000, 0x3400, 0x0000, 0x0000, 0xFF00, 0x5600};
    struct Case {
        const char* name;
        TiffImage image;
        Bytes rgb;
    };
    const Case cases[] = {
        {"2-bit grey", two, {0,   0,   0,  85, 85, 85,  170, 170, 170, 255,
                             255, 255, 0,  0,  0,  255, 255, 255, 170, 170,
                             170, 85,  85, 85, 0,  0,   0,   255, 255, 255}},
        {"16-bit grey", sixteen, {0, 0, 0, 0x80, 0x80, 0x80, 0xFF, 0xFF, 0xFF}},
        {"grey with alpha", alpha, {10, 10, 10, 240, 240, 240}},
        {"2-bit palette", palette, {255, 0, 0, 0, 255, 0, 0, 0, 255, 0x12, 0x34, 0x56}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Loaded loaded = load(c.image);
        ASSERT_TRUE(loaded.dib);
        const auto dib = test::dibContents(loaded.dib.get());
        EXPECT_EQ(dib.header.bitCount, 24);
        EXPECT_TRUE(dib.colourTable.empty());
        EXPECT_EQ(test::dibRgb(loaded.dib.get()), c.rgb);
    }
}

TEST(TiffLoader, SeparatePlanesGiveTheSameDibAsContiguousRows) {
    const TiffImage contiguous = indexedImage(PHOTOMETRIC_MINISBLACK, 8, 13, 6, pattern(78, 256));
    TiffImage separate = contiguous;
    separate.planarConfig = PLANARCONFIG_SEPARATE;
    const Loaded a = load(contiguous);
    const Loaded b = load(separate);
    ASSERT_TRUE(a.dib);
    ASSERT_TRUE(b.dib);
    const auto da = test::dibContents(a.dib.get());
    const auto db = test::dibContents(b.dib.get());
    EXPECT_EQ(db.rows, da.rows);
    EXPECT_EQ(db.colourTable, da.colourTable);
    EXPECT_EQ(db.rows, scanlines(contiguous));
}

TEST(TiffLoader, TiledGreyFailsEveryRowAndShowsColourZero) {
    TiffImage image = indexedImage(PHOTOMETRIC_MINISBLACK, 8, 20, 18, pattern(360, 255, 3));
    for (auto& v : image.pixels)
        v = static_cast<std::uint8_t>(v + 1); // no zero stored
    image.tileWidth = 16;
    image.tileLength = 16;
    const Loaded loaded = load(image);
    ASSERT_TRUE(loaded.dib);
    const auto dib = test::dibContents(loaded.dib.get());
    EXPECT_EQ(dib.colourTable, greyTable(8, false));
    EXPECT_EQ(dib.rows, Rows(18, Bytes(20, 0)));
    ASSERT_EQ(loaded.boxes.size(), 18u);
    for (const auto& box : loaded.boxes) {
        EXPECT_EQ(box.title, loaded.path + " Error");
        EXPECT_EQ(box.text, "Can not read scanlines from a tiled image");
    }
}

TEST(TiffLoader, MissingPhotometricIsMinIsBlack) {
    TiffImage image = indexedImage(PHOTOMETRIC_MINISBLACK, 1, 12, 2, pattern(24, 2));
    image.photometric.reset();
    const Loaded loaded = load(image);
    ASSERT_TRUE(loaded.dib);
    const auto dib = test::dibContents(loaded.dib.get());
    EXPECT_EQ(dib.colourTable, (Bytes{0, 0, 0, 0, 255, 255, 255, 0}));
    EXPECT_EQ(dib.rows, scanlines(image));
}

TEST(TiffLoader, UnusualPhotometricGivesNoDibButTheHotspotsAreRead) {
    const auto archive =
        test::ArchiveBuilder::withHeader(1).rectHotspot("A1", "", u"Pump", 1, 2, 3, 4).data();
    for (const std::uint16_t photometric :
         {std::uint16_t{7}, std::uint16_t{PHOTOMETRIC_ICCLAB}, std::uint16_t{PHOTOMETRIC_LOGL},
          std::uint16_t{32845}}) {
        TiffImage image = indexedImage(PHOTOMETRIC_MINISBLACK, 8, 4, 4, Bytes(16, 9));
        image.photometric = photometric;
        image.hotspotTag = archive;
        const Loaded loaded = load(image);
        EXPECT_FALSE(loaded.dib) << photometric;
        ASSERT_TRUE(loaded.list) << photometric;
        EXPECT_EQ(loaded.list->size(), 1u);
        EXPECT_TRUE(loaded.boxes.empty());
    }
}

TEST(TiffLoader, PixelsPerMetreFromXResolutionAndUnit) {
    struct Case {
        std::optional<float> x;
        std::optional<std::uint16_t> unit;
        std::int32_t expected;
    };
    const Case cases[] = {
        {300.0f, RESUNIT_INCH, 11811}, {300.0f, RESUNIT_CENTIMETER, 300},
        {300.0f, RESUNIT_NONE, 300},   {300.0f, std::nullopt, 300},
        {72.5f, RESUNIT_INCH, 2854},   {std::nullopt, RESUNIT_INCH, 0},
        {1.0e12f, RESUNIT_INCH, 0},
    };
    for (const Case& c : cases) {
        TiffImage image = indexedImage(PHOTOMETRIC_MINISBLACK, 8, 2, 2, Bytes(4, 0));
        image.xResolution = c.x;
        image.yResolution = 99.0f; // never read
        image.resolutionUnit = c.unit;
        const Loaded loaded = load(image);
        ASSERT_TRUE(loaded.dib);
        const auto header = test::dibContents(loaded.dib.get()).header;
        EXPECT_EQ(header.xPelsPerMeter, c.expected) << c.x.value_or(-1);
        EXPECT_EQ(header.yPelsPerMeter, c.expected);
    }
}

TEST(TiffLoader, OrientationIsIgnoredOnIndexedPathsAndAppliedByTheRgbaReader) {
    TiffImage grey = indexedImage(PHOTOMETRIC_MINISBLACK, 8, 3, 2, {1, 2, 3, 4, 5, 6});
    grey.orientation = ORIENTATION_BOTLEFT;
    const Loaded g = load(grey);
    ASSERT_TRUE(g.dib);
    EXPECT_EQ(test::dibContents(g.dib.get()).rows, scanlines(grey));

    TiffImage rgb = rgbImage(3, 2);
    rgb.orientation = ORIENTATION_BOTLEFT;
    const Loaded c = load(rgb);
    ASSERT_TRUE(c.dib);
    Bytes flipped(rgb.pixels.begin() + 9, rgb.pixels.end());
    flipped.insert(flipped.end(), rgb.pixels.begin(), rgb.pixels.begin() + 9);
    EXPECT_EQ(test::dibRgb(c.dib.get()), flipped);
}

TEST(TiffLoader, OnlyTheFirstImageAndItsHotspotTagAreRead) {
    TiffImage first = indexedImage(PHOTOMETRIC_MINISBLACK, 8, 2, 1, {1, 2});
    first.hotspotTag =
        test::ArchiveBuilder::withHeader(1).rectHotspot("first", "", u"", 0, 0, 1, 1).data();
    TiffImage second = rgbImage(5, 5);
    second.hotspotTag =
        test::ArchiveBuilder::withHeader(1).rectHotspot("second", "", u"", 0, 0, 1, 1).data();
    const Loaded loaded = load({first, second});
    ASSERT_TRUE(loaded.dib);
    EXPECT_EQ(test::dibContents(loaded.dib.get()).header.width, 2);
    ASSERT_TRUE(loaded.list);
    const auto records = test::rectHotspots(*loaded.list);
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0].id, "first");
}

TEST(TiffLoader, HotspotTagBecomesTheList) {
    TiffImage image = indexedImage(PHOTOMETRIC_MINISBLACK, 8, 2, 2, Bytes(4, 0));
    const Loaded none = load(image);
    EXPECT_FALSE(none.list);

    image.hotspotTag = test::ArchiveBuilder::withHeader(2)
                           .rectHotspot("A17", "aux", u"Dichtung \u00d8 40", 1, 2, 3, 4)
                           .rectHotspot("", "", u"no id", 5, 6, 7, 8)
                           .data();
    const Loaded two = load(image);
    ASSERT_TRUE(two.list);
    EXPECT_EQ(test::rectHotspots(*two.list),
              (std::vector<RectHotspot>{
                  test::makeRectHotspot("A17", "aux", u"Dichtung \u00d8 40", {1, 2, 3, 4}),
                  test::makeRectHotspot("", "", u"no id", {5, 6, 7, 8})}));

    image.hotspotTag = Bytes{'n', 'o', ' ', 'm', 'a', 'g', 'i', 'c'};
    const Loaded noMagic = load(image);
    EXPECT_TRUE(noMagic.dib);
    ASSERT_TRUE(noMagic.list);
    EXPECT_EQ(noMagic.list->size(), 0u);
}

TEST(TiffLoader, ArchiveOfSixtyFourKibibytesIsReadWhole) {
    auto builder = test::ArchiveBuilder::withHeader(1600);
    for (int i = 0; i < 1600; ++i)
        builder.rectHotspot("H" + std::to_string(i), "", u"x", i, 0, i + 1, 1);
    Bytes archive = builder.data();
    ASSERT_LT(archive.size(), 65536u);
    archive.resize(65536, 0xAB); // trailing bytes are ignored by the reader
    TiffImage image = indexedImage(PHOTOMETRIC_MINISBLACK, 8, 2, 2, Bytes(4, 0));
    image.hotspotTag = archive;
    const Loaded loaded = load(image);
    ASSERT_TRUE(loaded.list);
    ASSERT_EQ(loaded.list->size(), 1600u);
    EXPECT_EQ(test::rectHotspots(*loaded.list).back().id, "H1599");
}

TEST(TiffLoader, ImagesTooLargeOrEmptyGiveNoDib) {
    struct Case {
        const char* name;
        TiffImage image;
        std::uint32_t width;
        std::uint32_t height;
    };
    const TiffImage grey = indexedImage(PHOTOMETRIC_MINISBLACK, 8, 16, 16, Bytes(256, 1));
    TiffImage grey16 = grey;
    grey16.bitsPerSample = 16;
    grey16.pixels = Bytes(512, 1);
    const Case cases[] = {
        {"8-bit grey 70000 x 70000", grey, 70000, 70000},
        {"RGB 70000 x 70000", rgbImage(16, 16), 70000, 70000},
        {"16-bit grey 70000 x 70000", grey16, 70000, 70000},
        {"RGB of 2^31 pixels a row", rgbImage(16, 16), 0x80000000u, 1},
        {"grey of 2^30 + 1 bytes", grey, 32768, 32769},
        {"zero height", grey, 16, 0},
        {"zero width", rgbImage(16, 16), 0, 16},
    };
    for (const Case& c : cases) {
        TiffImage image = c.image;
        image.declaredWidth = c.width;
        image.declaredHeight = c.height;
        const Loaded loaded = load(image);
        EXPECT_FALSE(loaded.dib) << c.name;
    }
}

TEST(TiffLoader, UnreadableFilesShowLibtiffsBox) {
    const TempFile missing(".tif");
    const Loaded gone = loadPath(missing.path());
    EXPECT_FALSE(gone.dib);
    EXPECT_FALSE(gone.list);
    ASSERT_EQ(gone.boxes.size(), 1u);
    EXPECT_EQ(gone.boxes[0].title, missing.path() + " Error");
    EXPECT_EQ(gone.boxes[0].text, "Cannot read TIFF header");

    const TempFile text(".tif");
    text.write(Bytes{'h', 'e', 'l', 'l', 'o', ' ', 'w', 'o', 'r', 'l', 'd'});
    const Loaded notTiff = loadPath(text.path());
    EXPECT_FALSE(notTiff.dib);
    ASSERT_EQ(notTiff.boxes.size(), 1u);
    EXPECT_EQ(notTiff.boxes[0].title, text.path() + " Error");
    EXPECT_NE(notTiff.boxes[0].text.find("Not a TIFF"), std::string::npos) << notTiff.boxes[0].text;
}

TEST(TiffLoader, NullPathGivesNothingAndShowsNothing) {
    const test::RecordedMessageBoxes boxes;
    TiffLoader loader;
    EXPECT_FALSE(loader.Load(nullptr));
    EXPECT_FALSE(loader.hotspotList);
    EXPECT_TRUE(boxes.shown().empty());
}

TEST(TiffLoader, EachLoadDropsThePreviousList) {
    TiffImage image = indexedImage(PHOTOMETRIC_MINISBLACK, 8, 2, 2, Bytes(4, 0));
    image.hotspotTag =
        test::ArchiveBuilder::withHeader(1).rectHotspot("A", "", u"", 0, 0, 1, 1).data();
    const TempFile withTag(".tif");
    test::writeTiff(withTag.path(), image);
    image.hotspotTag.reset();
    const TempFile without(".tif");
    test::writeTiff(without.path(), image);
    TiffLoader loader;
    EXPECT_TRUE(loader.Load(withTag.path().c_str()));
    EXPECT_TRUE(loader.hotspotList);
    EXPECT_TRUE(loader.Load(without.path().c_str()));
    EXPECT_FALSE(loader.hotspotList);
}

} // namespace
} // namespace platemap
