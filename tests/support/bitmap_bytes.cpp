#include "support/bitmap_bytes.h"

#include <algorithm>

namespace platemap::test {

namespace {

void putLe(std::vector<std::uint8_t>& bytes, std::uint32_t value, int size) {
    for (int i = 0; i < size; ++i)
        bytes.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

std::uint32_t getLe(std::span<const std::uint8_t> bytes, std::size_t at, int size) {
    std::uint32_t value = 0;
    for (int i = 0; i < size; ++i)
        value |= static_cast<std::uint32_t>(bytes[at + i]) << (8 * i);
    return value;
}

std::size_t stride(std::size_t rowBytes) {
    return (rowBytes + 3) / 4 * 4;
}

} // namespace

std::vector<std::uint8_t> bitmapHeaderBytes(const BitmapHeader& header) {
    std::vector<std::uint8_t> bytes;
    putLe(bytes, header.type, 2);
    putLe(bytes, 0, 4);
    putLe(bytes, 0, 4);
    putLe(bytes, header.dataOffset, 4);
    putLe(bytes, header.infoSize, 4);
    putLe(bytes, static_cast<std::uint32_t>(header.width), 4);
    putLe(bytes, static_cast<std::uint32_t>(header.height), 4);
    putLe(bytes, 1, 2);
    putLe(bytes, header.bitCount, 2);
    for (int field = 0; field < 6; ++field)
        putLe(bytes, 0, 4);
    bytes.resize(14 + std::max<std::size_t>(40, header.infoSize), 0);
    return bytes;
}

std::vector<std::uint8_t> bitmapFile24(const RgbImage& image, std::uint32_t infoSize) {
    std::vector<std::uint8_t> bytes = bitmapHeaderBytes({.width = image.width,
                                                         .height = image.height,
                                                         .dataOffset = 14 + infoSize,
                                                         .infoSize = infoSize});
    const std::size_t rowBytes = stride(3 * static_cast<std::size_t>(image.width));
    for (int row = 0; row < image.height; ++row) {
        const std::size_t rowStart = bytes.size();
        for (int x = 0; x < image.width; ++x) {
            const Rgb colour = image.at(x, row);
            bytes.insert(bytes.end(), {colour.blue, colour.green, colour.red});
        }
        bytes.resize(rowStart + rowBytes, 0);
    }
    return bytes;
}

Rgb PalettedBitmap::colour(int index) const {
    const auto& entry = colourTable[static_cast<std::size_t>(index)];
    return {entry[2], entry[1], entry[0]};
}

std::optional<PalettedBitmap> readPalettedBitmap(std::span<const std::uint8_t> bytes) {
    constexpr std::size_t tableStart = 54;
    constexpr std::size_t tableEntries = 256;
    if (bytes.size() < tableStart + 4 * tableEntries)
        return std::nullopt;
    PalettedBitmap bitmap;
    bitmap.type = static_cast<std::uint16_t>(getLe(bytes, 0, 2));
    bitmap.fileSize = getLe(bytes, 2, 4);
    bitmap.dataOffset = getLe(bytes, 10, 4);
    bitmap.infoSize = getLe(bytes, 14, 4);
    bitmap.width = static_cast<std::int32_t>(getLe(bytes, 18, 4));
    bitmap.height = static_cast<std::int32_t>(getLe(bytes, 22, 4));
    bitmap.planes = static_cast<std::uint16_t>(getLe(bytes, 26, 2));
    bitmap.bitCount = static_cast<std::uint16_t>(getLe(bytes, 28, 2));
    bitmap.compression = getLe(bytes, 30, 4);
    bitmap.imageSize = getLe(bytes, 34, 4);
    bitmap.coloursUsed = getLe(bytes, 46, 4);
    bitmap.coloursImportant = getLe(bytes, 50, 4);
    for (std::size_t entry = 0; entry < tableEntries; ++entry) {
        const std::size_t at = tableStart + 4 * entry;
        bitmap.colourTable.push_back({bytes[at], bytes[at + 1], bytes[at + 2], bytes[at + 3]});
    }
    if (bitmap.width <= 0 || bitmap.height <= 0 || bitmap.dataOffset > bytes.size())
        return std::nullopt;
    const std::size_t rowBytes = stride(static_cast<std::size_t>(bitmap.width));
    for (std::size_t at = bitmap.dataOffset; at + rowBytes <= bytes.size(); at += rowBytes)
        bitmap.rows.emplace_back(bytes.begin() + at, bytes.begin() + at + rowBytes);
    return bitmap;
}

} // namespace platemap::test
