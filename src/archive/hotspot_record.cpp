#include "archive/hotspot_record.h"

#include "archive/primitives.h"

namespace platemap {

std::unique_ptr<HotspotRecord> RectHotspot::create() const {
    return std::make_unique<RectHotspot>();
}

void RectHotspot::read(InputStream& stream) {
    readString(stream, id);
    readString(stream, auxText);
    readWideString(stream, text);
    rect.left = readInt32(stream);
    rect.top = readInt32(stream);
    rect.right = readInt32(stream);
    rect.bottom = readInt32(stream);
}

void RectHotspot::write(OutputStream& stream) const {
    writeString(stream, id);
    writeString(stream, auxText);
    writeWideString(stream, text);
    writeInt32(stream, rect.left);
    writeInt32(stream, rect.top);
    writeInt32(stream, rect.right);
    writeInt32(stream, rect.bottom);
}

} // namespace platemap
