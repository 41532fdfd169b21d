#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace platemap::test {

// One image of a TIFF file, as the fixture writer puts it into a directory. Tags left empty are
// not written. No gtest here: tools/make-sample writes the committed samples with it too.
struct TiffImage {
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    std::optional<std::uint16_t> photometric = 1; // min-is-black
    std::optional<std::uint16_t> bitsPerSample = 8;
    std::uint16_t samplesPerPixel = 1;
    std::vector<std::uint16_t> extraSamples;
    std::uint16_t planarConfig = 1; // contiguous
    std::uint16_t compression = 1;  // none
    std::uint16_t predictor = 0;
    int jpegQuality = 0;
    std::uint32_t rowsPerStrip = 0; // 0: libtiff's default strip size
    std::uint32_t tileWidth = 0;    // tiles when both are set (multiples of 16)
    std::uint32_t tileLength = 0;
    std::optional<std::uint16_t> orientation;
    std::optional<float> xResolution;
    std::optional<float> yResolution;
    std::optional<std::uint16_t> resolutionUnit;
    std::vector<std::uint16_t> colorMap;                  // red, green, blue, 2^bits each
    std::optional<std::vector<std::uint8_t>> hotspotTag;  // 33577
    std::optional<std::vector<std::uint8_t>> clipPathTag; // 33576
    // Swap the two private tags' directory entries after writing (needs both tags).
    bool privateTagsOutOfOrder = false;
    // Patched into ImageWidth / ImageLength (as LONG) after writing: sizes no data could back.
    std::optional<std::uint32_t> declaredWidth;
    std::optional<std::uint32_t> declaredHeight;

    // The samples as libtiff's scanline calls take them: height rows of scanlineBytes() each,
    // for a separate planar configuration one such block per sample. YCbCr without JPEG is
    // written unsubsampled (1, 1); YCbCr with JPEG takes RGB rows.
    std::vector<std::uint8_t> pixels;

    std::size_t scanlineBytes() const; // one row of one plane
    std::size_t planeCount() const;
};

// Writes a TIFF of one or more directories (little-endian unless bigEndian). Throws
// std::runtime_error when libtiff refuses something.
void writeTiff(const std::string& path, const std::vector<TiffImage>& images,
               bool bigEndian = false);
void writeTiff(const std::string& path, const TiffImage& image, bool bigEndian = false);

// Patches one entry of the first directory of a classic TIFF: type, count 1 and a 32-bit value.
void patchFirstDirectoryEntry(const std::string& path, std::uint16_t tag, std::uint16_t type,
                              std::uint32_t value);
// Swaps two entries of the first directory, so that they stand out of order.
void swapFirstDirectoryEntries(const std::string& path, std::uint16_t tagA, std::uint16_t tagB);
// The tags of the first directory's entries, in file order.
std::vector<std::uint16_t> firstDirectoryTags(const std::string& path);

// A bilevel or grey helper: packs one value per pixel (row by row) into scanlines of `bits` bits.
std::vector<std::uint8_t> packSamples(const std::vector<std::uint8_t>& values, std::uint32_t width,
                                      std::uint32_t height, unsigned bits);

} // namespace platemap::test
