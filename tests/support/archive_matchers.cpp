#include "support/archive_matchers.h"

#include "platform/utf.h"

namespace platemap::test {

std::vector<RectHotspot> rectHotspots(const HotspotList& list) {
    std::vector<RectHotspot> records;
    for (const auto& record : list) {
        const auto* hotspot = dynamic_cast<const RectHotspot*>(record.get());
        EXPECT_NE(hotspot, nullptr) << "record of class " << record->classKey();
        if (hotspot)
            records.push_back(*hotspot);
    }
    return records;
}

RectHotspot makeRectHotspot(std::string id, std::string auxText, std::u16string text,
                            HotspotRect rect) {
    RectHotspot record;
    record.id = std::move(id);
    record.auxText = std::move(auxText);
    record.text = std::move(text);
    record.rect = rect;
    return record;
}

void PrintTo(const RectHotspot& record, std::ostream* out) {
    *out << "{id \"" << record.id << "\", aux \"" << record.auxText << "\", text \""
         << platform::utf16ToUtf8(record.text) << "\", " << record.rect.left << ','
         << record.rect.top << ',' << record.rect.right << ',' << record.rect.bottom << '}';
}

} // namespace platemap::test
