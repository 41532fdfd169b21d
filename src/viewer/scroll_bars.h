#pragma once

#include "viewer/client_rect.h"
#include "viewer/view_geometry.h"

#include <cstdint>

namespace platemap {

// What the window sets on one scroll bar: range, page and position in one call, then shows or
// hides it.
struct ScrollBarSettings {
    std::int32_t min = 0;
    std::int32_t max = 0;
    std::int32_t page = 0;
    std::int32_t position = 0;
    bool visible = false;

    friend bool operator==(const ScrollBarSettings&, const ScrollBarSettings&) = default;
};

struct ScrollBarPair {
    ScrollBarSettings horizontal;
    ScrollBarSettings vertical;
};

// Both bars for the current canvas, from one reading of the client rectangle: showing or hiding
// one bar must not change what the other is given. A position is kept where the new range allows
// it and otherwise lowered to the last canvas pixel.
ScrollBarPair scrollBarSettings(const ViewGeometry& view, const ClientRect& client,
                                std::int32_t horizontalPosition, std::int32_t verticalPosition);

enum class ScrollBar { Horizontal, Vertical };

// How far a scroll request moves the bar; the window adds it to the position and lets the bar
// clamp the sum. The thumb is the high word of the message's wParam.
std::int32_t scrollDelta(ScrollBar bar, std::uint32_t request, std::uint16_t thumbWord,
                         std::int32_t position, std::int32_t page);

} // namespace platemap
