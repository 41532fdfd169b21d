#include "viewer/fit_size.h"

#include "viewer/truncation.h"

namespace platemap {

PixelSize FitSize(std::int32_t boxWidth, std::int32_t boxHeight, std::int32_t width,
                  std::int32_t height) {
    const double aspect = static_cast<double>(width) / height;
    const bool fillsWidth =
        aspect >= 1.0 ? boxWidth / aspect <= boxHeight : boxHeight * aspect > boxWidth;
    if (fillsWidth)
        return {boxWidth, truncToInt32(boxWidth / aspect)};
    return {truncToInt32(boxHeight * aspect), boxHeight};
}

} // namespace platemap
