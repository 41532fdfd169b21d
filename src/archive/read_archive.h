#pragma once

#include "archive/byte_stream.h"
#include "archive/hotspot_list.h"

namespace platemap {

// Replaces the list's records with those of the archive in the stream. A malformed archive
// leaves the records read before the fault; nothing is reported.
InputStream& readHotspotArchive(InputStream& stream, HotspotList& list);

} // namespace platemap
