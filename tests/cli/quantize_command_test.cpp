#include "cli_runner.h"
#include "platemap/cli.h"
#include "platform/files.h"
#include "support/bitmap_bytes.h"
#include "support/rgb_image.h"
#include "support/temp_file.h"

#include <gtest/gtest.h>
#include <sstream>

namespace platemap {
namespace {

using test::runCli;

TEST(QuantizeCommand, WritesAnEightBitFileWithinTheColourLimit) {
    const test::TempFile input(".bmp");
    const test::TempFile output(".bmp");
    input.write(test::bitmapFile24(test::gradientImage(40, 30)));

    const auto result = runCli({"quantize", input.path(), output.path(), "--colours", "16"});

    ASSERT_EQ(result.exitCode, cli::exitSuccess) << result.err;
    const auto bitmap = test::readPalettedBitmap(output.read());
    ASSERT_TRUE(bitmap.has_value());
    EXPECT_EQ(bitmap->bitCount, 8);
    EXPECT_GT(bitmap->coloursImportant, 1u);
    EXPECT_LE(bitmap->coloursImportant, 16u);
    EXPECT_EQ(result.out, "colours: " + std::to_string(bitmap->coloursImportant) + "\n");
}

TEST(QuantizeCommand, DefaultLimitKeepsFewColoursExactly) {
    const test::TempFile input(".bmp");
    const test::TempFile output(".bmp");
    input.write(test::bitmapFile24(test::randomPicksImage(12, 9, 40, 11)));

    const auto result = runCli({"quantize", input.path(), output.path()});

    ASSERT_EQ(result.exitCode, cli::exitSuccess) << result.err;
    const auto bitmap = test::readPalettedBitmap(output.read());
    ASSERT_TRUE(bitmap.has_value());
    EXPECT_EQ(result.out, "colours: " + std::to_string(bitmap->coloursImportant) + "\n");
    EXPECT_LE(bitmap->coloursImportant, 40u);
}

TEST(QuantizeCommand, BadArgumentsShowUsageAndWriteNothing) {
    const test::TempFile input(".bmp");
    const test::TempFile output(".bmp");
    input.write(test::bitmapFile24(test::gradientImage(4, 4)));
    const std::vector<std::vector<std::string>> cases = {
        {"quantize", input.path()},
        {"quantize", input.path(), output.path(), "extra"},
        {"quantize", input.path(), output.path(), "--colours"},
        {"quantize", input.path(), output.path(), "--colours", "0"},
        {"quantize", input.path(), output.path(), "--colours", "257"},
        {"quantize", input.path(), output.path(), "--colours", "12x"},
        {"quantize", input.path(), output.path(), "--colours", "-3"},
    };
    for (const auto& args : cases) {
        const auto result = runCli(args);
        EXPECT_EQ(result.exitCode, cli::exitUsage) << args.back();
        EXPECT_NE(result.err.find("usage: platemap quantize"), std::string::npos) << args.back();
        EXPECT_FALSE(platform::fileExists(output.path())) << args.back();
    }
}

TEST(QuantizeCommand, InputThatIsNotTwentyFourBitFailsWithOneLine) {
    const test::TempFile input(".bmp");
    const test::TempFile output(".bmp");
    std::vector<std::uint8_t> bytes =
        test::bitmapHeaderBytes({.width = 2, .height = 2, .bitCount = 8});
    bytes.resize(bytes.size() + 1024 + 8);
    input.write(bytes);

    const auto result = runCli({"quantize", input.path(), output.path()});

    EXPECT_EQ(result.exitCode, cli::exitUnreadable);
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(std::count(result.err.begin(), result.err.end(), '\n'), 1) << result.err;
    EXPECT_FALSE(platform::fileExists(output.path()));
}

} // namespace
} // namespace platemap
