#include "document/document.h"

#include "document/palette_display.h"
#include "document/tiff_loader.h"
#include "platform/files.h"
#include "platform/text.h"
#include "raster/dib.h"

#include <string>
#include <string_view>

namespace platemap {

Document::Document(std::int32_t screenBitsPerPixel) : screenBitsPerPixel(screenBitsPerPixel) {}

void Document::release() {
    palette.reset();
    dib.reset();
    // Entries point into the list: they go first.
    current = nullptr;
    entries.clear();
    hotspotList.reset();
    imageWidth = 0;
    imageHeight = 0;
}

void Document::LoadFile(const char16_t* path) {
    release();
    TiffLoader loader;
    std::string ansiPath;
    if (path)
        ansiPath = platform::wideToAnsi(std::u16string_view(path));
    try {
        dib = loader.Load(path ? ansiPath.c_str() : nullptr);
    } catch (...) {
        dib.reset();
    }
    // Without an image the loader's list, if any, goes with the loader.
    if (!dib)
        return;
    hotspotList = loader.takeHotspotList();
    {
        const platform::MemoryLock lock(dib.get());
        if (lock) {
            imageWidth = dibWidth(lock.bytes());
            imageHeight = dibHeight(lock.bytes());
        }
    }
    if (imageWidth <= 0 || imageHeight <= 0) {
        release(); // the fractions would divide by zero
        return;
    }
    buildEntries();
    if (screenBitsPerPixel <= 8)
        adaptToPaletteDisplay();
}

void Document::buildEntries() {
    if (!hotspotList)
        return;
    for (const auto& record : *hotspotList) {
        const auto* hotspot = dynamic_cast<const RectHotspot*>(record.get());
        if (!hotspot || std::string_view(record->classKey()) != RectHotspot::key ||
            hotspot->id.empty())
            continue;
        HotspotEntry entry;
        entry.record = hotspot;
        entry.fracLeft = static_cast<double>(hotspot->rect.left) / imageWidth;
        entry.fracTop = static_cast<double>(hotspot->rect.top) / imageHeight;
        entry.fracRight = static_cast<double>(hotspot->rect.right) / imageWidth;
        entry.fracBottom = static_cast<double>(hotspot->rect.bottom) / imageHeight;
        entry.tooltipText = platform::wideToAnsi(hotspot->text);
        entries.push_back(std::move(entry));
    }
}

// The document's address keeps the temporary file names of views in one process apart.
void Document::adaptToPaletteDisplay() {
    palette = adaptDibToPaletteDisplay(dib, platform::addressNumber(this));
}

} // namespace platemap
