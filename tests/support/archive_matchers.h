#pragma once

#include "archive/hotspot_list.h"

#include <gtest/gtest.h>
#include <vector>

namespace platemap::test {

// The list's records as RectHotspot values, for comparing whole lists at once.
std::vector<RectHotspot> rectHotspots(const HotspotList& list);

RectHotspot makeRectHotspot(std::string id, std::string auxText, std::u16string text,
                            HotspotRect rect);

void PrintTo(const RectHotspot& record, std::ostream* out);

} // namespace platemap::test

namespace platemap {
using test::PrintTo;
} // namespace platemap
