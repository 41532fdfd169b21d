#include "cli_runner.h"
#include "platemap/cli.h"
#include "platform/files.h"
#include "raster/bitmap_file.h"
#include "support/archive_builder.h"
#include "support/dib_contents.h"
#include "support/temp_file.h"
#include "support/tiff_writer.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <sstream>
#include <tiffio.h>

namespace platemap {
namespace {

using test::TempFile;
using test::TiffImage;
using Bytes = std::vector<std::uint8_t>;

using test::runCli;

int lines(const std::string& text) {
    return static_cast<int>(std::count(text.begin(), text.end(), '\n'));
}

TiffImage smallPlate() {
    TiffImage image;
    image.width = 16;
    image.height = 8;
    image.photometric = PHOTOMETRIC_MINISWHITE;
    image.bitsPerSample = 1;
    image.compression = COMPRESSION_CCITTFAX4;
    image.xResolution = 300.0f;
    image.resolutionUnit = RESUNIT_INCH;
    for (std::uint8_t r = 0; r < 8; ++r)
        image.pixels.insert(image.pixels.end(), {static_cast<std::uint8_t>(1 << r), 0xF0});
    image.hotspotTag = test::ArchiveBuilder::withHeader(2)
                           .rectHotspot("A17", "", u"Dichtung \u00d8 40 \u2013 Gummi", 4, 2, 12, 6)
                           .rectHotspot("", "x", u"", 0, 0, 1, 1)
                           .data();
    return image;
}

TEST(InspectCommand, PrintsImageRecordsAndEntriesAsJson) {
    const TempFile file(".itf");
    test::writeTiff(file.path(), smallPlate());
    const auto result = runCli({"inspect", file.path()});
    EXPECT_EQ(result.exitCode, cli::exitSuccess);
    EXPECT_EQ(result.err, "");
    EXPECT_EQ(result.out, R"({
  "width": 16,
  "height": 8,
  "bitCount": 1,
  "colourTable": [
    "#ffffff",
    "#000000"
  ],
  "pixelsPerMetre": 11811,
  "records": [
    {
      "classKey": "QZ",
      "id": "A17",
      "auxText": "",
      "text": "Dichtung Ø 40 – Gummi",
      "left": 4,
      "top": 2,
      "right": 12,
      "bottom": 6
    },
    {
      "classKey": "QZ",
      "id": "",
      "auxText": "x",
      "text": "",
      "left": 0,
      "top": 0,
      "right": 1,
      "bottom": 1
    }
  ],
  "entries": [
    {
      "id": "A17",
      "fracLeft": 0.25,
      "fracTop": 0.25,
      "fracRight": 0.75,
      "fracBottom": 0.75,
      "tooltipText": "Dichtung Ø 40 – Gummi"
    }
  ]
}
)");
}

TEST(InspectCommand, RgbImageHasAnEmptyColourTableAndNoRecords) {
    const TempFile file(".tif");
    TiffImage image;
    image.width = 3;
    image.height = 2;
    image.photometric = PHOTOMETRIC_RGB;
    image.samplesPerPixel = 3;
    image.pixels = Bytes(18, 0x40);
    test::writeTiff(file.path(), image);
    const auto result = runCli({"inspect", file.path()});
    EXPECT_EQ(result.exitCode, cli::exitSuccess);
    EXPECT_NE(
        result.out.find("\"bitCount\": 24,\n  \"colourTable\": [],\n  \"pixelsPerMetre\": 0,\n"
                        "  \"records\": [],\n  \"entries\": []\n"),
        std::string::npos)
        << result.out;
}

TEST(InspectCommand, RowsThatFailAreReportedOnceWithTheirCount) {
    const TempFile file(".tif");
    TiffImage image;
    image.width = 16;
    image.height = 5;
    image.tileWidth = 16;
    image.tileLength = 16;
    image.pixels = Bytes(80, 7);
    test::writeTiff(file.path(), image);
    const auto result = runCli({"inspect", file.path()});
    EXPECT_EQ(result.exitCode, cli::exitSuccess);
    EXPECT_EQ(result.err, "platemap: " + file.path() +
                              " Error: Can not read scanlines from a tiled image (5 times)\n");
}

TEST(InspectAndRender, FilesThatDoNotDecodeFailWithOneLine) {
    const TempFile missing(".tif");
    const TempFile text(".tif");
    text.write(Bytes{'n', 'o', 't', ' ', 'a', ' ', 'T', 'I', 'F', 'F'});
    const TempFile logl(".tif");
    TiffImage image = smallPlate();
    image.compression = COMPRESSION_NONE;
    image.photometric = PHOTOMETRIC_LOGL;
    test::writeTiff(logl.path(), image);
    const TempFile out(".bmp");
    for (const std::string& path : {missing.path(), text.path(), logl.path()}) {
        for (const auto& args : std::vector<std::vector<std::string>>{
                 {"inspect", path}, {"render", path, "-o", out.path()}}) {
            const auto result = runCli(args);
            EXPECT_EQ(result.exitCode, cli::exitUnreadable) << path;
            EXPECT_EQ(result.out, "");
            EXPECT_EQ(lines(result.err), 1) << result.err;
            EXPECT_EQ(result.err.rfind("platemap: cannot decode " + path, 0), 0u) << result.err;
        }
    }
    EXPECT_FALSE(platform::fileExists(out.path()));
}

TEST(RenderCommand, WritesTheDecodedDibAsABitmapFile) {
    const TempFile file(".itf");
    const TiffImage image = smallPlate();
    test::writeTiff(file.path(), image);
    const TempFile out(".bmp");
    const auto result = runCli({"render", file.path(), "-o", out.path()});
    ASSERT_EQ(result.exitCode, cli::exitSuccess) << result.err;
    EXPECT_EQ(result.out, "");
    const auto bytes = out.read();
    ASSERT_EQ(bytes.size(), 14u + 40u + 8u + 4u * 8u);
    EXPECT_EQ(bytes[0], 'B');
    const auto dib = readBitmapFile(out.path());
    ASSERT_TRUE(dib);
    const auto contents = test::dibContents(dib.get());
    EXPECT_EQ(contents.header.xPelsPerMeter, 11811);
    EXPECT_EQ(contents.colourTable, (Bytes{255, 255, 255, 0, 0, 0, 0, 0}));
    for (std::size_t r = 0; r < 8; ++r)
        EXPECT_EQ(contents.rows[r], (Bytes{image.pixels[2 * r], image.pixels[2 * r + 1]})) << r;
}

TEST(RenderCommand, UsageAndUnwritableOutput) {
    for (const auto& args :
         std::vector<std::vector<std::string>>{{"render"},
                                               {"render", "a.tif"},
                                               {"render", "a.tif", "-o"},
                                               {"render", "a.tif", "b.tif", "-o", "c.bmp"},
                                               {"inspect"},
                                               {"inspect", "a", "b"}}) {
        const auto result = runCli(args);
        EXPECT_EQ(result.exitCode, cli::exitUsage);
        EXPECT_NE(result.err.find("usage:"), std::string::npos);
    }
    const TempFile file(".itf");
    test::writeTiff(file.path(), smallPlate());
    const auto result =
        runCli({"render", "-o", platform::tempDirectory() + "no/such/dir/x.bmp", file.path()});
    EXPECT_EQ(result.exitCode, cli::exitUnreadable);
    EXPECT_NE(result.err.find("Error opening file!"), std::string::npos) << result.err;
}

} // namespace
} // namespace platemap
