#include "viewer/hotspot_rects.h"

#include "viewer/truncation.h"

namespace platemap {

void UpdateHotspotRects(const ViewGeometry& view, const ClientRect& client,
                        std::span<HotspotEntry> entries) {
    ClientRect canvas = client;
    view.CenterInClient(canvas);
    const double offsetX = canvas.left;
    const double offsetY = canvas.top;
    for (HotspotEntry& entry : entries) {
        entry.windowRect = {truncToInt32(offsetX + entry.fracLeft * view.zoomedWidth),
                            truncToInt32(offsetY + entry.fracTop * view.zoomedHeight),
                            truncToInt32(offsetX + entry.fracRight * view.zoomedWidth),
                            truncToInt32(offsetY + entry.fracBottom * view.zoomedHeight)};
    }
}

} // namespace platemap
