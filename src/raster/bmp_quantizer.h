#pragma once

#include "archive/byte_stream.h"
#include "raster/octree_quantizer.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

namespace platemap {

// Quantises a 24-bit bitmap file into an 8-bit one, one row in memory at a time.
class BmpQuantizer final : public OctreeQuantizer {
  public:
    BmpQuantizer() = default;

    // Writes the input's image with at most maxColours() colours to the output. On failure the
    // output file does not remain; the input is never changed. One call per object.
    bool quantize(const std::string& inputPath, const std::string& outputPath);
    int colourCount() const { return colourCount_; }

  private:
    bool getPixel(int x, int y, Rgb& colour) override;
    bool setPixel(int x, int y, int index) override;
    bool mapPixels() override;
    void makePalette() override;

    bool convert(const std::string& inputPath, const std::string& outputPath);
    bool readHeaders();
    bool sizeRows();
    bool allocateRows();
    bool seekToPixels();
    bool writeHeaders();

    int colourCount_ = 0;
    std::size_t inputRowBytes_ = 0;
    std::size_t outputRowBytes_ = 0;
    std::unique_ptr<std::uint8_t[]> inputRow_;
    std::unique_ptr<std::uint8_t[]> outputRow_;
    std::array<std::uint8_t, 14> fileHeader_{};
    std::array<std::uint8_t, 40> infoHeader_{};
    std::array<std::uint8_t, 4 * paletteCapacity> colourTable_{};
    std::uint32_t inputDataOffset_ = 0;
    UniqueStdFile input_;
    UniqueStdFile output_;
};

} // namespace platemap
