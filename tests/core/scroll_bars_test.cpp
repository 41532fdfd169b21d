#include "viewer/scroll_bars.h"

#include <gtest/gtest.h>

namespace platemap {
namespace {

TEST(ScrollBarSettings, FollowTheCanvasAndOneReadingOfTheClientArea) {
    const struct {
        const char* what;
        std::int32_t zoomedWidth, zoomedHeight, clientWidth, clientHeight;
        std::int32_t horizontalPosition, verticalPosition;
        ScrollBarSettings horizontal, vertical;
    } cases[] = {
        {"larger canvas: both bars shown",
         2000,
         1600,
         800,
         600,
         1500,
         50,
         {0, 2000, 800, 1500, true},
         {0, 1600, 600, 50, true}},
        {"smaller canvas: both hidden",
         300,
         200,
         701,
         400,
         0,
         0,
         {0, 300, 300, 0, false},
         {0, 200, 200, 0, false}},
        {"canvas of the client's size needs no bar",
         800,
         600,
         800,
         600,
         0,
         0,
         {0, 800, 800, 0, false},
         {0, 600, 600, 0, false}},
        {"positions beyond the new canvas drop to its last pixel",
         500,
         400,
         400,
         300,
         900,
         399,
         {0, 500, 400, 499, true},
         {0, 400, 300, 399, true}},
        {"one bar only",
         1200,
         300,
         800,
         600,
         100,
         7,
         {0, 1200, 800, 100, true},
         {0, 300, 300, 7, false}},
        {"empty canvas holds the position at 0",
         0,
         0,
         0,
         0,
         10,
         20,
         {0, 0, 0, 0, false},
         {0, 0, 0, 0, false}},
    };
    for (const auto& c : cases) {
        ViewGeometry view;
        view.zoomedWidth = c.zoomedWidth;
        view.zoomedHeight = c.zoomedHeight;
        const ScrollBarPair bars = scrollBarSettings(view, {0, 0, c.clientWidth, c.clientHeight},
                                                     c.horizontalPosition, c.verticalPosition);
        EXPECT_EQ(bars.horizontal, c.horizontal) << c.what;
        EXPECT_EQ(bars.vertical, c.vertical) << c.what;
    }
}

TEST(ScrollDelta, RequestCodesMoveByLinePageOrToTheThumb) {
    constexpr std::int32_t position = 100;
    constexpr std::int32_t page = 250;
    const struct {
        std::uint32_t request;
        std::uint16_t thumb;
        std::int32_t horizontal, vertical;
    } cases[] = {
        {0, 0, -5, -5},
        {1, 0, 5, 5},
        {2, 0, -250, -250},
        {3, 0, 250, 250},
        {4, 300, 200, 200},
        {5, 40, -60, -60},
        // The horizontal thumb is a signed 16-bit value, the vertical one unsigned.
        {4, 40000, 40000 - 65536 - 100, 40000 - 100},
        {5, 0xFFFF, -1 - 100, 65535 - 100},
        // The end requests step like a line; they do not jump to the end.
        {6, 0, -5, -5},
        {7, 0, 5, 5},
        {8, 0, 0, 0},
        {9, 500, 0, 0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(scrollDelta(ScrollBar::Horizontal, c.request, c.thumb, position, page),
                  c.horizontal)
            << "request " << c.request << ", thumb " << c.thumb;
        EXPECT_EQ(scrollDelta(ScrollBar::Vertical, c.request, c.thumb, position, page), c.vertical)
            << "request " << c.request << ", thumb " << c.thumb;
    }
}

} // namespace
} // namespace platemap
