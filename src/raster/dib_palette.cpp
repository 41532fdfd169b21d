#include "raster/dib_palette.h"

#include "raster/dib.h"

#include <vector>

namespace platemap {

platform::UniquePalette paletteFromDib(platform::MemoryHandle dib) {
    if (!dib)
        return {};
    const platform::MemoryLock lock(dib);
    if (!lock)
        return {};
    const unsigned char* header = lock.bytes();
    const std::uint16_t entries = colourTableEntries(header);
    if (entries == 0)
        return {};
    const std::uint32_t tableBytes = colourTableBytes(header);
    const unsigned char* table = dibPixels(header) - tableBytes;
    // A colours-used field larger than the block holds would read past it.
    if (static_cast<std::size_t>(table - header) + tableBytes > platform::memorySize(dib))
        return {};
    const std::uint32_t entryBytes = tableBytes / entries; // 4 after an information header, else 3
    std::vector<platform::PaletteColour> colours;
    colours.reserve(entries);
    for (std::uint32_t i = 0; i < entries; ++i) {
        const unsigned char* entry = table + i * entryBytes;
        colours.push_back({entry[2], entry[1], entry[0]});
    }
    return platform::UniquePalette(platform::createPalette(colours));
}

} // namespace platemap
