#pragma once

#include <cstdint>
#include <span>
#include <utility>
#include <vector>

namespace platemap::platform {

struct PaletteColour {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;

    friend bool operator==(const PaletteColour&, const PaletteColour&) = default;
};

// A logical palette: a GDI palette (HPALETTE) on Win32, natively just its colours.
using PaletteHandle = void*;

// None for no colours or when the system cannot make one.
PaletteHandle createPalette(std::span<const PaletteColour> colours);
void deletePalette(PaletteHandle palette);
std::vector<PaletteColour> paletteColours(PaletteHandle palette);

// Owns one logical palette; moving transfers the ownership.
class UniquePalette {
  public:
    UniquePalette() = default;
    explicit UniquePalette(PaletteHandle handle) : handle_(handle) {}
    UniquePalette(UniquePalette&& other) noexcept
        : handle_(std::exchange(other.handle_, nullptr)) {}
    UniquePalette& operator=(UniquePalette&& other) noexcept {
        if (this != &other)
            reset(std::exchange(other.handle_, nullptr));
        return *this;
    }
    UniquePalette(const UniquePalette&) = delete;
    UniquePalette& operator=(const UniquePalette&) = delete;
    ~UniquePalette() { reset(); }

    PaletteHandle get() const { return handle_; }
    explicit operator bool() const { return handle_ != nullptr; }
    void reset(PaletteHandle handle = nullptr) {
        if (handle_)
            deletePalette(handle_);
        handle_ = handle;
    }

  private:
    PaletteHandle handle_ = nullptr;
};

} // namespace platemap::platform
