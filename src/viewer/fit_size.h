#pragma once

#include <cstdint>

namespace platemap {

struct PixelSize {
    std::int32_t width = 0;
    std::int32_t height = 0;

    friend bool operator==(const PixelSize&, const PixelSize&) = default;
};

// The largest size of the aspect ratio width : height that fits into the box.
PixelSize FitSize(std::int32_t boxWidth, std::int32_t boxHeight, std::int32_t width,
                  std::int32_t height);

} // namespace platemap
