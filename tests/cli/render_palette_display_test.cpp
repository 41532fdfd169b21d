#include "cli_runner.h"
#include "platemap/cli.h"
#include "support/bitmap_bytes.h"
#include "support/rgb_image.h"
#include "support/temp_file.h"
#include "support/tiff_writer.h"

#include <gtest/gtest.h>
#include <set>
#include <sstream>
#include <tiffio.h>

namespace platemap {
namespace {

using test::runCli;

TEST(RenderCommand, PaletteDisplayWritesTheReducedEightBitImage) {
    const test::TempFile input(".tif");
    const test::TempFile output(".bmp");
    test::writeTiff(input.path(), test::rgbTiff(test::photoLikeImage(50, 40, 3)));

    const auto result = runCli({"render", input.path(), "--palette-display", "-o", output.path()});

    ASSERT_EQ(result.exitCode, cli::exitSuccess) << result.err;
    const auto bitmap = test::readPalettedBitmap(output.read());
    ASSERT_TRUE(bitmap.has_value());
    EXPECT_EQ(bitmap->bitCount, 8);
    EXPECT_EQ(bitmap->width, 50);
    EXPECT_EQ(bitmap->height, 40);
    std::set<int> used;
    for (int row = 0; row < 40; ++row) {
        for (int x = 0; x < 50; ++x)
            used.insert(bitmap->index(x, row));
    }
    EXPECT_GT(used.size(), 50u);
    EXPECT_LE(used.size(), 224u);
    EXPECT_LT(*used.rbegin(), 224);
}

TEST(RenderCommand, WithoutPaletteDisplayTheImageKeepsTwentyFourBits) {
    const test::TempFile input(".tif");
    const test::TempFile output(".bmp");
    test::writeTiff(input.path(), test::rgbTiff(test::photoLikeImage(50, 40, 3)));

    const auto result = runCli({"render", input.path(), "-o", output.path()});
    ASSERT_EQ(result.exitCode, cli::exitSuccess) << result.err;
    const auto bytes = output.read();
    ASSERT_GT(bytes.size(), 30u);
    EXPECT_EQ(bytes[28], 24);
}

} // namespace
} // namespace platemap
