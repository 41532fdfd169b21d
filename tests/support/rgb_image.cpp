#include "support/rgb_image.h"

#include <algorithm>
#include <random>
#include <tiffio.h>

namespace platemap::test {

namespace {

std::uint8_t clampComponent(int value) {
    return static_cast<std::uint8_t>(std::clamp(value, 0, 255));
}

// std::mt19937's output is fixed by the standard; its distributions are not.
Rgb randomColour(std::mt19937& random) {
    const std::uint32_t bits = random();
    return {static_cast<std::uint8_t>(bits), static_cast<std::uint8_t>(bits >> 8),
            static_cast<std::uint8_t>(bits >> 16)};
}

template <typename Colour>
RgbImage imageOf(int width, int height, Colour colourAt) {
    RgbImage image{width, height, {}};
    image.pixels.reserve(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
    for (int row = 0; row < height; ++row) {
        for (int x = 0; x < width; ++x)
            image.pixels.push_back(colourAt(x, row));
    }
    return image;
}

} // namespace

RgbImage uniformImage(int width, int height, Rgb colour) {
    return imageOf(width, height, [&](int, int) { return colour; });
}

RgbImage gradientImage(int width, int height) {
    return imageOf(width, height, [&](int x, int row) {
        return Rgb{clampComponent(255 * x / std::max(1, width - 1)),
                   clampComponent(255 * row / std::max(1, height - 1)),
                   clampComponent(255 * (x + row) / std::max(1, width + height - 2))};
    });
}

RgbImage randomImage(int width, int height, std::uint32_t seed) {
    std::mt19937 random(seed);
    return imageOf(width, height, [&](int, int) { return randomColour(random); });
}

RgbImage randomPicksImage(int width, int height, int colourCount, std::uint32_t seed) {
    std::mt19937 random(seed);
    std::vector<Rgb> colours;
    for (int i = 0; i < colourCount; ++i)
        colours.push_back(randomColour(random));
    return imageOf(width, height, [&](int, int) {
        return colours[random() % static_cast<std::uint32_t>(colourCount)];
    });
}

RgbImage photoLikeImage(int width, int height, std::uint32_t seed) {
    std::mt19937 random(seed);
    return imageOf(width, height, [&](int x, int row) {
        const int noise = static_cast<int>(random() % 17) - 8;
        const int red = 40 + 180 * x / width + noise;
        const int green = 200 - 150 * row / height + noise / 2;
        const int blue = 90 + 120 * ((x / 7 + row / 5) % 16) / 16 - noise;
        return Rgb{clampComponent(red), clampComponent(green), clampComponent(blue)};
    });
}

TiffImage rgbTiff(const RgbImage& image) {
    TiffImage tiff;
    tiff.width = static_cast<std::uint32_t>(image.width);
    tiff.height = static_cast<std::uint32_t>(image.height);
    tiff.photometric = PHOTOMETRIC_RGB;
    tiff.samplesPerPixel = 3;
    for (const Rgb colour : image.pixels)
        tiff.pixels.insert(tiff.pixels.end(), {colour.red, colour.green, colour.blue});
    return tiff;
}

} // namespace platemap::test
