#pragma once

#include "archive/hotspot_record.h"

#include <cstdint>
#include <string>

namespace platemap {

// A rectangle in whole screen pixels; edges are inclusive where a hit test asks.
struct CanvasRect {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t right = 0;
    std::int32_t bottom = 0;

    friend bool operator==(const CanvasRect&, const CanvasRect&) = default;
};

// One hotspot as the view shows it; the record belongs to the document's hotspot list.
struct HotspotEntry {
    const RectHotspot* record = nullptr;
    double fracBottom = 0;
    double fracLeft = 0;
    double fracTop = 0;
    double fracRight = 0;
    CanvasRect windowRect;
    std::string tooltipText;
};

} // namespace platemap
