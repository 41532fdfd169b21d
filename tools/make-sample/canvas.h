#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

namespace platemap::sample {

struct Colour {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
};

// A picture with one colour per pixel and a few drawing operations, enough for a technical plate:
// thick lines, circles, discs, rectangles, hatching and block-letter text.
class Canvas {
  public:
    Canvas(int width, int height, Colour background);

    int width() const { return width_; }
    int height() const { return height_; }
    const Colour& at(int x, int y) const {
        return pixels_[static_cast<std::size_t>(y) * width_ + x];
    }

    void set(int x, int y, Colour colour);
    void line(int x0, int y0, int x1, int y1, int thickness, Colour colour);
    void circle(int cx, int cy, int radius, int thickness, Colour colour);
    void disc(int cx, int cy, int radius, Colour colour);
    void rectangle(int left, int top, int right, int bottom, int thickness, Colour colour);
    void fill(int left, int top, int right, int bottom, Colour colour);
    // 45-degree lines every `spacing` pixels inside the rectangle.
    void hatch(int left, int top, int right, int bottom, int spacing, Colour colour);
    // Upper-case letters, digits and a little punctuation in a 5 x 7 font, `scale` pixels a dot.
    void text(int x, int y, std::string_view text, int scale, Colour colour);
    static int textWidth(std::string_view text, int scale);

  private:
    int width_;
    int height_;
    std::vector<Colour> pixels_;
};

} // namespace platemap::sample
