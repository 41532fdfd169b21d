#pragma once

#include "document/hotspot_entry.h"

#include <cstdint>
#include <span>

namespace platemap {

struct CanvasPoint {
    std::int32_t x = 0;
    std::int32_t y = 0;
};

// The canvas point under a client point at the given scroll positions.
CanvasPoint canvasPoint(std::int32_t clientX, std::int32_t clientY, std::int32_t scrollX,
                        std::int32_t scrollY);

// All four edges count as inside.
bool containsPoint(const CanvasRect& rect, CanvasPoint point);

// The first entry, in list order, whose rectangle contains the point; where hotspots overlap the
// earlier one wins. Null when none does.
const HotspotEntry* hitTest(std::span<const HotspotEntry> entries, CanvasPoint point);

} // namespace platemap
