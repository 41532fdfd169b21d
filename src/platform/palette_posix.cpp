#include "platform/palette.h"

#include <new>

namespace platemap::platform {

using Colours = std::vector<PaletteColour>;

PaletteHandle createPalette(std::span<const PaletteColour> colours) {
    if (colours.empty())
        return nullptr;
    return new (std::nothrow) Colours(colours.begin(), colours.end());
}

void deletePalette(PaletteHandle palette) {
    delete static_cast<Colours*>(palette);
}

std::vector<PaletteColour> paletteColours(PaletteHandle palette) {
    return palette ? *static_cast<const Colours*>(palette) : Colours{};
}

} // namespace platemap::platform
