#pragma once

#include "document/hotspot_entry.h"
#include "viewer/client_rect.h"
#include "viewer/view_geometry.h"

#include <span>

namespace platemap {

// Places every entry's rectangle on the canvas, centring offsets included. Scroll positions are
// left out, so the rectangles stay valid while the view scrolls.
void UpdateHotspotRects(const ViewGeometry& view, const ClientRect& client,
                        std::span<HotspotEntry> entries);

} // namespace platemap
