#pragma once

#include "archive/hotspot_list.h"
#include "platemap/json_writer.h"

namespace platemap::cli {

void writeRecords(JsonWriter& json, const HotspotList& list);

} // namespace platemap::cli
