#include "viewer/hit_test.h"

#include "viewer/truncation.h"

#include <algorithm>

namespace platemap {

CanvasPoint canvasPoint(std::int32_t clientX, std::int32_t clientY, std::int32_t scrollX,
                        std::int32_t scrollY) {
    return {saturateToInt32(std::int64_t{clientX} + scrollX),
            saturateToInt32(std::int64_t{clientY} + scrollY)};
}

bool containsPoint(const CanvasRect& rect, CanvasPoint point) {
    return rect.left <= point.x && point.x <= rect.right && rect.top <= point.y &&
           point.y <= rect.bottom;
}

const HotspotEntry* hitTest(std::span<const HotspotEntry> entries, CanvasPoint point) {
    const auto hit = std::ranges::find_if(entries, [point](const HotspotEntry& entry) {
        return containsPoint(entry.windowRect, point);
    });
    return hit == entries.end() ? nullptr : &*hit;
}

} // namespace platemap
