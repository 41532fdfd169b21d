// TIFFs written by ImageMagick's convert and libtiff's tiffcp: `platemap render` must give the
// pixels that convert itself decodes. Native only, and only where the tools are installed.
#include "platemap/cli.h"
#include "raster/bitmap_file.h"
#include "support/dib_contents.h"
#include "support/temp_file.h"

#include <cstdio>
#include <cstdlib>
#include <gtest/gtest.h>
#include <sstream>

namespace platemap {
namespace {

using Bytes = std::vector<std::uint8_t>;

#ifndef _WIN32

bool onPath(const std::string& tool) {
    return std::system(("command -v " + tool + " >/dev/null 2>&1").c_str()) == 0;
}

bool run(const std::string& command) {
    return std::system((command + " 2>/dev/null").c_str()) == 0;
}

Bytes runAndCapture(const std::string& command) {
    Bytes bytes;
    std::FILE* pipe = popen((command + " 2>/dev/null").c_str(), "r");
    if (!pipe)
        return bytes;
    unsigned char buffer[65536];
    std::size_t got;
    while ((got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0)
        bytes.insert(bytes.end(), buffer, buffer + got);
    pclose(pipe);
    return bytes;
}

std::string quoted(const std::string& path) {
    return "'" + path + "'";
}

// What convert decodes: 8-bit red, green, blue, top row first.
Bytes convertDecodes(const std::string& tiff) {
    return runAndCapture("convert " + quoted(tiff) + " -depth 8 rgb:-");
}

Bytes platemapRenders(const std::string& tiff, std::string& err) {
    const test::TempFile bmp(".bmp");
    std::ostringstream out;
    std::ostringstream errors;
    const int code =
        cli::run(std::vector<std::string>{"render", tiff, "-o", bmp.path()}, out, errors);
    err = errors.str();
    if (code != cli::exitSuccess)
        return {};
    const auto dib = readBitmapFile(bmp.path());
    return test::dibRgb(dib.get());
}

struct ToolCase {
    const char* name;
    std::string make;   // writes $OUT (and may use $IN, written by `source` first)
    std::string source; // an earlier convert command line for $IN, or empty
    int tolerance;      // 16-bit and CMYK round differently in the two decoders; JPEG is lossy
    int bitCount;
};

void PrintTo(const ToolCase& c, std::ostream* out) {
    *out << c.name;
}

class ExternalTools : public testing::TestWithParam<ToolCase> {};

TEST_P(ExternalTools, RenderGivesThePixelsConvertDecodes) {
    const ToolCase& c = GetParam();
    for (const char* tool : {"convert", "tiffcp"}) {
        if (!onPath(tool))
            GTEST_SKIP() << tool << " is not installed";
    }
    const test::TempFile in(".tif");
    const test::TempFile out(".tif");
    const auto expand = [&](std::string command) {
        for (const auto& [name, path] :
             {std::pair<std::string, std::string>{"$IN", in.path()}, {"$OUT", out.path()}})
            for (std::size_t at; (at = command.find(name)) != std::string::npos;)
                command.replace(at, name.size(), quoted(path));
        return command;
    };
    if (!c.source.empty()) {
        ASSERT_TRUE(run(expand(c.source))) << expand(c.source);
    }
    ASSERT_TRUE(run(expand(c.make))) << expand(c.make);

    const Bytes expected = convertDecodes(out.path());
    ASSERT_FALSE(expected.empty());
    std::string err;
    const Bytes actual = platemapRenders(out.path(), err);
    ASSERT_EQ(actual.size(), expected.size()) << err;
    for (std::size_t i = 0; i < actual.size(); ++i)
        ASSERT_NEAR(actual[i], expected[i], c.tolerance) << "byte " << i;

    std::ostringstream json;
    std::ostringstream errors;
    ASSERT_EQ(cli::run(std::vector<std::string>{"inspect", out.path()}, json, errors),
              cli::exitSuccess);
    EXPECT_NE(json.str().find("\"bitCount\": " + std::to_string(c.bitCount) + ","),
              std::string::npos)
        << json.str();
}

const std::string gradient = "convert -size 45x23 gradient:orange-navy ";
const std::string rgbSource = gradient + "-depth 8 -compress none -type truecolor $IN";
const std::string bilevelSource = "convert -size 61x37 pattern:checkerboard -rotate 30 -crop "
                                  "61x37+0+0 +repage -monochrome -type bilevel -depth 1 "
                                  "-compress none $IN";

INSTANTIATE_TEST_SUITE_P(
    Files, ExternalTools,
    testing::Values(
        ToolCase{"ConvertRgbLzw", gradient + "-depth 8 -type truecolor -compress lzw $OUT", "", 0,
                 24},
        ToolCase{"ConvertRgb16Bit", gradient + "-depth 16 -type truecolor $OUT", "", 1, 24},
        ToolCase{"ConvertGrey8Bit", gradient + "-colorspace gray -depth 8 -type grayscale $OUT", "",
                 0, 8},
        ToolCase{"ConvertGrey16Bit", gradient + "-colorspace gray -depth 16 -type grayscale $OUT",
                 "", 1, 24},
        ToolCase{"ConvertBilevelG4", "convert $IN -compress group4 $OUT", bilevelSource, 0, 1},
        ToolCase{"ConvertPalette", gradient + "-colors 40 -type palette -depth 8 $OUT", "", 0, 8},
        ToolCase{"ConvertCmyk", gradient + "-depth 8 -colorspace cmyk $OUT", "", 2, 24},
        ToolCase{"ConvertTiledRgb",
                 gradient + "-depth 8 -type truecolor -define "
                            "tiff:tile-geometry=16x16 $OUT",
                 "", 0, 24},
        ToolCase{"TiffcpDeflate", "tiffcp -c zip $IN $OUT", rgbSource, 0, 24},
        ToolCase{"TiffcpPackBits", "tiffcp -c packbits $IN $OUT", rgbSource, 0, 24},
        ToolCase{"TiffcpSeparatePlanes", "tiffcp -p separate $IN $OUT", rgbSource, 0, 24},
        ToolCase{"TiffcpTiles", "tiffcp -t -w 16 -l 16 $IN $OUT", rgbSource, 0, 24},
        ToolCase{"TiffcpJpeg", "tiffcp -c jpeg:90 -r 16 $IN $OUT", rgbSource, 8, 24},
        ToolCase{"TiffcpG3", "tiffcp -c g3 $IN $OUT", bilevelSource, 0, 1},
        ToolCase{"TiffcpG4", "tiffcp -c g4 $IN $OUT", bilevelSource, 0, 1}),
    [](const testing::TestParamInfo<ToolCase>& info) { return std::string(info.param.name); });

#endif

} // namespace
} // namespace platemap
