#pragma once

#include "support/rgb_image.h"

#include <cstdint>
#include <vector>

namespace platemap::test {

struct ReferenceQuantization {
    std::vector<Rgb> palette;
    // One palette index per pixel, in the image's pixel order.
    std::vector<int> indices;
};

// A second, deliberately plain reading of the octree colour reduction (nodes in a vector, lists
// as vectors, recursion everywhere) to hold the production quantiser against.
ReferenceQuantization referenceQuantize(const RgbImage& image, int maxColours);

} // namespace platemap::test
