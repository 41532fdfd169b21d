#include "document/document.h"
#include "platemap/cli.h"
#include "platemap/commands.h"
#include "platemap/document_loading.h"
#include "platemap/records_json.h"
#include "platform/text.h"
#include "platform/utf.h"
#include "raster/dib.h"

#include <cstdio>

namespace platemap::cli {

namespace {

std::string hexColour(const unsigned char* rgbQuad) {
    char text[8];
    std::snprintf(text, sizeof text, "#%02x%02x%02x", rgbQuad[2], rgbQuad[1], rgbQuad[0]);
    return text;
}

void writeImage(JsonWriter& json, const Document& document) {
    const platform::MemoryLock lock(document.dib.get());
    const BitmapInfoHeader info = readInfoHeader(lock.bytes());
    json.member("width", std::int64_t{document.imageWidth});
    json.member("height", std::int64_t{document.imageHeight});
    json.member("bitCount", std::int64_t{info.bitCount});
    json.beginArray("colourTable");
    for (std::uint16_t i = 0; i < colourTableEntries(lock.bytes()); ++i)
        json.member({}, hexColour(lock.bytes() + info.size + 4 * i));
    json.endArray();
    json.member("pixelsPerMetre", std::int64_t{info.xPelsPerMeter});
}

void writeEntries(JsonWriter& json, const Document& document) {
    json.beginArray("entries");
    for (const HotspotEntry& entry : document.entries) {
        json.beginObject();
        json.member("id", narrowTextToUtf8(entry.record->id));
        json.member("fracLeft", entry.fracLeft);
        json.member("fracTop", entry.fracTop);
        json.member("fracRight", entry.fracRight);
        json.member("fracBottom", entry.fracBottom);
        // ANSI on Windows, UTF-8 natively: back through UTF-16 either way.
        json.member("tooltipText", platform::utf16ToUtf8(platform::ansiToWide(entry.tooltipText)));
        json.endObject();
    }
    json.endArray();
}

} // namespace

int inspectCommand(std::span<const std::string> args, std::ostream& out, std::ostream& err) {
    if (args.size() != 1) {
        err << "usage: platemap inspect FILE\n";
        return exitUsage;
    }
    Document document;
    const auto messages = loadDocument(document, args[0]);
    if (!document.dib) {
        reportUndecodable(err, args[0], messages);
        return exitUnreadable;
    }
    reportMessages(err, messages);
    JsonWriter json(out);
    json.beginObject();
    writeImage(json, document);
    if (document.hotspotList) {
        writeRecords(json, *document.hotspotList);
    } else {
        json.beginArray("records");
        json.endArray();
    }
    writeEntries(json, document);
    json.endObject();
    return exitSuccess;
}

} // namespace platemap::cli
