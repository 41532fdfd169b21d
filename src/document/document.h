#pragma once

#include "archive/hotspot_list.h"
#include "document/hotspot_entry.h"
#include "platform/memory.h"
#include "platform/palette.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace platemap {

// What one load puts into a viewer: the image as a DIB, its size, the hotspot list of the file's
// hotspot tag and the entries that the view shows, frames and hit-tests.
//
// Portable: the Win32 TiffView wraps it and adds what needs a window: the repaint, which the
// window does after LoadFile returns a DIB.
//
// Invariants after every load: every entry's record points into `hotspotList`; `entries` holds
// exactly the "QZ" records with a non-empty id, in archive order; `current` is none; `palette` is
// none whenever screenBitsPerPixel is above 8; when `dib` is none, `palette`, `hotspotList` and
// `entries` are empty and the sizes 0.
class Document {
  public:
    static constexpr std::int32_t defaultScreenBitsPerPixel = 32;

    // screenBitsPerPixel: the colour depth of the screen, read once by the window that owns the
    // document; a load only reads it.
    explicit Document(std::int32_t screenBitsPerPixel = defaultScreenBitsPerPixel);
    Document(const Document&) = delete;
    Document& operator=(const Document&) = delete;

    // Replaces the whole document by the file at `path` (UTF-16, null-terminated; may be null).
    // There is no result: success shows as a `dib`. A failed load leaves the document empty.
    void LoadFile(const char16_t* path);

    const std::int32_t screenBitsPerPixel;

    platform::UniquePalette palette;
    platform::MemoryBlock dib;
    std::int32_t imageWidth = 0;
    std::int32_t imageHeight = 0;
    std::unique_ptr<HotspotList> hotspotList;
    std::vector<HotspotEntry> entries;
    // The entry under the pointer, an element of `entries`, or none.
    HotspotEntry* current = nullptr;

  private:
    // Empties the document.
    void release();
    void buildEntries();
    // Runs once the entries are built, only when screenBitsPerPixel is 8 or less: reduces a
    // deeper image to 224 colours through bitmap files and the quantiser, then makes the palette.
    void adaptToPaletteDisplay();
};

} // namespace platemap
