#include "viewer/scroll_bars.h"

#include "viewer/truncation.h"

#include <algorithm>

namespace platemap {

namespace {

// The bar's request codes (the low word of the message's wParam).
enum ScrollRequest : std::uint32_t {
    lineUp = 0,
    lineDown = 1,
    pageUp = 2,
    pageDown = 3,
    thumbPosition = 4,
    thumbTrack = 5,
    toTop = 6,
    toBottom = 7,
};

// The end requests move by a line as well; they do not jump to the end.
constexpr std::int32_t lineStep = 5;

ScrollBarSettings barFor(std::int32_t zoomedExtent, std::int32_t clientExtent,
                         std::int32_t position) {
    ScrollBarSettings bar;
    bar.max = zoomedExtent;
    // A canvas of 0 (or less) pixels leaves no last pixel to scroll to: the position is held at
    // the range's minimum, where the bar itself would put it.
    bar.page = std::max(0, std::min(clientExtent, zoomedExtent));
    bar.position = saturateToInt32(std::max<std::int64_t>(
        0, std::min<std::int64_t>(std::int64_t{zoomedExtent} - 1, position)));
    bar.visible = zoomedExtent > clientExtent;
    return bar;
}

// The horizontal bar reports its thumb as a signed 16-bit value, the vertical one as unsigned.
std::int32_t thumbValue(ScrollBar bar, std::uint16_t thumbWord) {
    if (bar == ScrollBar::Horizontal)
        return static_cast<std::int16_t>(thumbWord);
    return thumbWord;
}

} // namespace

ScrollBarPair scrollBarSettings(const ViewGeometry& view, const ClientRect& client,
                                std::int32_t horizontalPosition, std::int32_t verticalPosition) {
    return {barFor(view.zoomedWidth, client.width(), horizontalPosition),
            barFor(view.zoomedHeight, client.height(), verticalPosition)};
}

std::int32_t scrollDelta(ScrollBar bar, std::uint32_t request, std::uint16_t thumbWord,
                         std::int32_t position, std::int32_t page) {
    switch (request) {
    case lineUp:
    case toTop:
        return -lineStep;
    case lineDown:
    case toBottom:
        return lineStep;
    case pageUp:
        return saturateToInt32(-std::int64_t{page});
    case pageDown:
        return page;
    case thumbPosition:
    case thumbTrack:
        return saturateToInt32(std::int64_t{thumbValue(bar, thumbWord)} - position);
    default:
        return 0;
    }
}

} // namespace platemap
