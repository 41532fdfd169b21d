#pragma once

#include "support/rgb_image.h"

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace platemap::test {

// The fields of a bitmap file's two headers that tests vary.
struct BitmapHeader {
    std::uint16_t type = 0x4D42;
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::uint16_t bitCount = 24;
    std::uint32_t dataOffset = 54;
    // Newer headers (108, 124 bytes) are written as 40 bytes and zeros after them.
    std::uint32_t infoSize = 40;
};

// The 14-byte file header and the information header; the file size is left 0.
std::vector<std::uint8_t> bitmapHeaderBytes(const BitmapHeader& header);
// A complete uncompressed bottom-up 24-bit bitmap file.
std::vector<std::uint8_t> bitmapFile24(const RgbImage& image, std::uint32_t infoSize = 40);

// An 8-bit bitmap file as a reader that knows the format sees it.
struct PalettedBitmap {
    std::uint16_t type = 0;
    std::uint32_t fileSize = 0;
    std::uint32_t dataOffset = 0;
    std::uint32_t infoSize = 0;
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::uint16_t planes = 0;
    std::uint16_t bitCount = 0;
    std::uint32_t compression = 0;
    std::uint32_t imageSize = 0;
    std::uint32_t coloursUsed = 0;
    std::uint32_t coloursImportant = 0;
    // 256 entries of blue, green, red, reserved.
    std::vector<std::array<std::uint8_t, 4>> colourTable;
    // Whole stored rows, padding included, in file order.
    std::vector<std::vector<std::uint8_t>> rows;

    Rgb colour(int index) const;
    std::uint8_t index(int x, int row) const { return rows[row][x]; }
};

// Reads a file of 256 colour-table entries followed by 8-bit rows; nullopt when it is too short.
std::optional<PalettedBitmap> readPalettedBitmap(std::span<const std::uint8_t> bytes);

} // namespace platemap::test
