#include "platemap/records_json.h"

#include "platform/utf.h"

namespace platemap::cli {

void writeRecords(JsonWriter& json, const HotspotList& list) {
    json.beginArray("records");
    for (const auto& record : list) {
        json.beginObject();
        json.member("classKey", narrowTextToUtf8(record->classKey()));
        if (const auto* hotspot = dynamic_cast<const RectHotspot*>(record.get())) {
            json.member("id", narrowTextToUtf8(hotspot->id));
            json.member("auxText", narrowTextToUtf8(hotspot->auxText));
            json.member("text", platform::utf16ToUtf8(hotspot->text));
            json.member("left", std::int64_t{hotspot->rect.left});
            json.member("top", std::int64_t{hotspot->rect.top});
            json.member("right", std::int64_t{hotspot->rect.right});
            json.member("bottom", std::int64_t{hotspot->rect.bottom});
        }
        json.endObject();
    }
    json.endArray();
}

} // namespace platemap::cli
