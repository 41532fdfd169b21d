#pragma once

#include "raster/octree_quantizer.h"
#include "support/tiff_writer.h"

#include <cstdint>
#include <vector>

namespace platemap::test {

// A 24-bit image; rows in bitmap-file order (bottom row first), as a quantiser reads them.
struct RgbImage {
    int width = 0;
    int height = 0;
    std::vector<Rgb> pixels;

    Rgb at(int x, int row) const { return pixels[static_cast<std::size_t>(row * width + x)]; }
};

RgbImage uniformImage(int width, int height, Rgb colour);
// Red across, green up, blue along the diagonal: many neighbouring colours.
RgbImage gradientImage(int width, int height);
// Independent random colours; the same seed gives the same image on every platform.
RgbImage randomImage(int width, int height, std::uint32_t seed);
// Random picks from a set of colourCount random colours, so colours repeat.
RgbImage randomPicksImage(int width, int height, int colourCount, std::uint32_t seed);
// Smooth shading with a little noise, like a scanned photograph.
RgbImage photoLikeImage(int width, int height, std::uint32_t seed);

// The image as an 8-bit RGB TIFF, its rows in the same order.
TiffImage rgbTiff(const RgbImage& image);

} // namespace platemap::test
