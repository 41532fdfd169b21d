#include "viewer/hit_test.h"
#include "viewer/hotspot_rects.h"

#include <gtest/gtest.h>
#include <vector>

namespace platemap {
namespace {

HotspotEntry entryAt(double left, double top, double right, double bottom) {
    HotspotEntry entry;
    entry.fracLeft = left;
    entry.fracTop = top;
    entry.fracRight = right;
    entry.fracBottom = bottom;
    return entry;
}

HotspotEntry entryWith(CanvasRect rect) {
    HotspotEntry entry;
    entry.windowRect = rect;
    return entry;
}

ViewGeometry canvasOf(std::int32_t width, std::int32_t height) {
    ViewGeometry view;
    view.zoomedWidth = width;
    view.zoomedHeight = height;
    return view;
}

TEST(UpdateHotspotRects, PlacesFractionsOnTheCentredCanvasTruncating) {
    std::vector<HotspotEntry> entries = {entryAt(0.1, 0.25, 0.5, 0.75),
                                         entryAt(0.123, 0.0, 1.0, 0.999)};
    // A 300 x 200 canvas centred in 701 x 400 starts at (200, 100).
    UpdateHotspotRects(canvasOf(300, 200), {0, 0, 701, 400}, entries);
    EXPECT_EQ(entries[0].windowRect, (CanvasRect{230, 150, 350, 250}));
    // 36.9 and 199.8 are truncated, not rounded.
    EXPECT_EQ(entries[1].windowRect, (CanvasRect{236, 100, 500, 299}));
}

TEST(UpdateHotspotRects, CanvasLargerThanTheClientHasNoOffsets) {
    std::vector<HotspotEntry> entries = {entryAt(0.5, 0.5, 0.75, 1.0)};
    UpdateHotspotRects(canvasOf(2000, 1600), {0, 0, 800, 600}, entries);
    EXPECT_EQ(entries[0].windowRect, (CanvasRect{1000, 800, 1500, 1600}));
}

TEST(HitTest, FirstEntryContainingTheScrolledPointEdgesIncluded) {
    const std::vector<HotspotEntry> entries = {entryWith({10, 10, 50, 50}),
                                               entryWith({40, 40, 80, 80})};
    const struct {
        const char* what;
        std::int32_t x, y, scrollX, scrollY;
        int expected; // index, or -1 for none
    } cases[] = {
        {"overlap goes to the earlier entry", 45, 45, 0, 0, 0},
        {"right and bottom edges are inside", 50, 50, 0, 0, 0},
        {"left and top edges are inside", 10, 10, 0, 0, 0},
        {"only the later entry", 51, 51, 0, 0, 1},
        {"far corner of the later entry", 80, 80, 0, 0, 1},
        {"just right of it", 81, 80, 0, 0, -1},
        {"just above the first", 30, 9, 0, 0, -1},
        {"scroll positions are added", 5, 5, 40, 40, 0},
        {"scrolled onto the far corner", 30, 30, 50, 50, 1},
        {"scrolled past everything", 30, 30, 51, 0, -1},
    };
    for (const auto& c : cases) {
        const HotspotEntry* hit = hitTest(entries, canvasPoint(c.x, c.y, c.scrollX, c.scrollY));
        const HotspotEntry* expected = c.expected < 0 ? nullptr : &entries[c.expected];
        EXPECT_EQ(hit, expected) << c.what;
    }
}

TEST(HitTest, ListOrderDecidesOverlaps) {
    const std::vector<HotspotEntry> entries = {entryWith({40, 40, 80, 80}),
                                               entryWith({10, 10, 50, 50})};
    EXPECT_EQ(hitTest(entries, {45, 45}), &entries[0]);
    EXPECT_EQ(hitTest(entries, {20, 20}), &entries[1]);
}

TEST(HitTest, NoEntriesNoHit) {
    EXPECT_EQ(hitTest({}, {0, 0}), nullptr);
}

} // namespace
} // namespace platemap
