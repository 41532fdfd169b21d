#include "platform/palette.h"

#include <cstddef>
#include <cstring>
#include <windows.h>

namespace platemap::platform {

namespace {

constexpr WORD logicalPaletteVersion = 0x300;

} // namespace

PaletteHandle createPalette(std::span<const PaletteColour> colours) {
    if (colours.empty() || colours.size() > 0xFFFF)
        return nullptr;
    // LOGPALETTE ends in a one-entry array that stands for all of them.
    constexpr std::size_t entriesAt = offsetof(LOGPALETTE, palPalEntry);
    std::vector<std::byte> block(entriesAt + colours.size() * sizeof(PALETTEENTRY));
    const LOGPALETTE head{logicalPaletteVersion, static_cast<WORD>(colours.size()), {}};
    std::memcpy(block.data(), &head, entriesAt);
    for (std::size_t i = 0; i < colours.size(); ++i) {
        const PALETTEENTRY entry{colours[i].red, colours[i].green, colours[i].blue, 0};
        std::memcpy(block.data() + entriesAt + i * sizeof entry, &entry, sizeof entry);
    }
    return CreatePalette(reinterpret_cast<const LOGPALETTE*>(block.data()));
}

void deletePalette(PaletteHandle palette) {
    DeleteObject(static_cast<HPALETTE>(palette));
}

std::vector<PaletteColour> paletteColours(PaletteHandle palette) {
    if (!palette)
        return {};
    const auto handle = static_cast<HPALETTE>(palette);
    const UINT count = GetPaletteEntries(handle, 0, 0, nullptr);
    std::vector<PALETTEENTRY> entries(count);
    const UINT got = GetPaletteEntries(handle, 0, count, entries.data());
    std::vector<PaletteColour> colours;
    for (UINT i = 0; i < got; ++i)
        colours.push_back({entries[i].peRed, entries[i].peGreen, entries[i].peBlue});
    return colours;
}

} // namespace platemap::platform
