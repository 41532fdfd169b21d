#pragma once

#include <cstdint>

namespace platemap {

// The viewer window's client area (or a part of it) in client coordinates.
struct ClientRect {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t right = 0;
    std::int32_t bottom = 0;

    std::int32_t width() const { return right - left; }
    std::int32_t height() const { return bottom - top; }

    friend bool operator==(const ClientRect&, const ClientRect&) = default;
};

} // namespace platemap
