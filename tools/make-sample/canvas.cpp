#include "canvas.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace platemap::sample {

namespace {

struct Glyph {
    char c;
    std::uint8_t rows[7]; // five bits a row, the leftmost dot in bit 4
};

constexpr Glyph glyphs[] = {
    {'0', {14, 17, 19, 21, 25, 17, 14}}, {'1', {4, 12, 4, 4, 4, 4, 14}},
    {'2', {14, 17, 1, 2, 4, 8, 31}},     {'3', {31, 2, 4, 2, 1, 17, 14}},
    {'4', {2, 6, 10, 18, 31, 2, 2}},     {'5', {31, 16, 30, 1, 1, 17, 14}},
    {'6', {6, 8, 16, 30, 17, 17, 14}},   {'7', {31, 1, 2, 4, 8, 8, 8}},
    {'8', {14, 17, 17, 14, 17, 17, 14}}, {'9', {14, 17, 17, 15, 1, 2, 12}},
    {'A', {14, 17, 17, 31, 17, 17, 17}}, {'B', {30, 17, 17, 30, 17, 17, 30}},
    {'C', {14, 17, 16, 16, 16, 17, 14}}, {'D', {28, 18, 17, 17, 17, 18, 28}},
    {'E', {31, 16, 16, 30, 16, 16, 31}}, {'F', {31, 16, 16, 30, 16, 16, 16}},
    {'G', {14, 17, 16, 23, 17, 17, 15}}, {'H', {17, 17, 17, 31, 17, 17, 17}},
    {'I', {14, 4, 4, 4, 4, 4, 14}},      {'K', {17, 18, 20, 24, 20, 18, 17}},
    {'L', {16, 16, 16, 16, 16, 16, 31}}, {'M', {17, 27, 21, 21, 17, 17, 17}},
    {'N', {17, 17, 25, 21, 19, 17, 17}}, {'O', {14, 17, 17, 17, 17, 17, 14}},
    {'P', {30, 17, 17, 30, 16, 16, 16}}, {'R', {30, 17, 17, 30, 20, 18, 17}},
    {'S', {15, 16, 16, 14, 1, 1, 30}},   {'T', {31, 4, 4, 4, 4, 4, 4}},
    {'U', {17, 17, 17, 17, 17, 17, 14}}, {'V', {17, 17, 17, 17, 17, 10, 4}},
    {'W', {17, 17, 17, 21, 21, 21, 10}}, {'Z', {31, 1, 2, 4, 8, 16, 31}},
    {'-', {0, 0, 0, 31, 0, 0, 0}},       {'/', {1, 1, 2, 4, 8, 16, 16}},
    {'.', {0, 0, 0, 0, 0, 12, 12}},      {':', {0, 12, 12, 0, 12, 12, 0}},
    {' ', {0, 0, 0, 0, 0, 0, 0}},
};

const Glyph* glyph(char c) {
    for (const Glyph& g : glyphs)
        if (g.c == c)
            return &g;
    return nullptr;
}

} // namespace

Canvas::Canvas(int width, int height, Colour background)
    : width_(width), height_(height),
      pixels_(static_cast<std::size_t>(width) * height, background) {}

void Canvas::set(int x, int y, Colour colour) {
    if (x >= 0 && y >= 0 && x < width_ && y < height_)
        pixels_[static_cast<std::size_t>(y) * width_ + x] = colour;
}

void Canvas::disc(int cx, int cy, int radius, Colour colour) {
    for (int y = -radius; y <= radius; ++y)
        for (int x = -radius; x <= radius; ++x)
            if (x * x + y * y <= radius * radius + radius)
                set(cx + x, cy + y, colour);
}

void Canvas::line(int x0, int y0, int x1, int y1, int thickness, Colour colour) {
    const int steps = std::max(std::abs(x1 - x0), std::abs(y1 - y0));
    const int radius = thickness / 2;
    for (int i = 0; i <= steps; ++i) {
        const double t = steps == 0 ? 0.0 : static_cast<double>(i) / steps;
        const int x = static_cast<int>(std::lround(x0 + t * (x1 - x0)));
        const int y = static_cast<int>(std::lround(y0 + t * (y1 - y0)));
        if (radius == 0)
            set(x, y, colour);
        else
            disc(x, y, radius, colour);
    }
}

void Canvas::circle(int cx, int cy, int radius, int thickness, Colour colour) {
    const double half = thickness / 2.0;
    const int reach = radius + thickness;
    for (int y = -reach; y <= reach; ++y) {
        for (int x = -reach; x <= reach; ++x) {
            const double d = std::sqrt(static_cast<double>(x * x + y * y));
            if (std::fabs(d - radius) <= half)
                set(cx + x, cy + y, colour);
        }
    }
}

void Canvas::rectangle(int left, int top, int right, int bottom, int thickness, Colour colour) {
    line(left, top, right, top, thickness, colour);
    line(right, top, right, bottom, thickness, colour);
    line(right, bottom, left, bottom, thickness, colour);
    line(left, bottom, left, top, thickness, colour);
}

void Canvas::fill(int left, int top, int right, int bottom, Colour colour) {
    for (int y = top; y <= bottom; ++y)
        for (int x = left; x <= right; ++x)
            set(x, y, colour);
}

void Canvas::hatch(int left, int top, int right, int bottom, int spacing, Colour colour) {
    for (int y = top; y <= bottom; ++y)
        for (int x = left; x <= right; ++x)
            if ((x + y) % spacing == 0)
                set(x, y, colour);
}

void Canvas::text(int x, int y, std::string_view text, int scale, Colour colour) {
    for (const char c : text) {
        if (const Glyph* g = glyph(c)) {
            for (int row = 0; row < 7; ++row)
                for (int column = 0; column < 5; ++column)
                    if (g->rows[row] & (16 >> column))
                        fill(x + column * scale, y + row * scale, x + (column + 1) * scale - 1,
                             y + (row + 1) * scale - 1, colour);
        }
        x += 6 * scale;
    }
}

int Canvas::textWidth(std::string_view text, int scale) {
    return text.empty() ? 0 : static_cast<int>(text.size()) * 6 * scale - scale;
}

} // namespace platemap::sample
