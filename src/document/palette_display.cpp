#include "document/palette_display.h"

#include "platform/files.h"
#include "raster/bitmap_file.h"
#include "raster/bmp_quantizer.h"
#include "raster/dib.h"
#include "raster/dib_palette.h"

#include <cstdio>

namespace platemap {

namespace {

// Deletes leftovers of an earlier run now and both files again on every way out.
class TemporaryFiles {
  public:
    explicit TemporaryFiles(const ReductionFiles& files) : files_(files) { deleteBoth(); }
    TemporaryFiles(const TemporaryFiles&) = delete;
    TemporaryFiles& operator=(const TemporaryFiles&) = delete;
    ~TemporaryFiles() { deleteBoth(); }

  private:
    void deleteBoth() const {
        platform::deleteFile(files_.first);
        platform::deleteFile(files_.second);
    }

    const ReductionFiles& files_;
};

std::uint16_t bitCountOf(platform::MemoryHandle dib) {
    const platform::MemoryLock lock(dib);
    return lock ? dibBitCount(lock.bytes()) : 0;
}

void reduceColours(platform::MemoryBlock& dib, std::int32_t viewNumber) {
    const ReductionFiles files = reductionFiles(platform::tempDirectory(), viewNumber);
    const TemporaryFiles cleanup(files);
    // Neither result matters: only the read-back decides.
    writeBitmapFile(dib.get(), files.first);
    BmpQuantizer quantizer;
    quantizer.setMaxColours(paletteDisplayColours);
    quantizer.quantize(files.first, files.second);
    platform::MemoryBlock reduced = readBitmapFile(files.second);
    if (reduced)
        dib = std::move(reduced);
}

} // namespace

ReductionFiles reductionFiles(const std::string& tempDirectory, std::int32_t viewNumber) {
    char name[32];
    std::snprintf(name, sizeof name, "%ld%d.tif", static_cast<long>(viewNumber), 0);
    const std::string first = tempDirectory + name;
    return {first, first + "1"};
}

platform::UniquePalette adaptDibToPaletteDisplay(platform::MemoryBlock& dib,
                                                 std::int32_t viewNumber) {
    if (bitCountOf(dib.get()) > 8)
        reduceColours(dib, viewNumber);
    return paletteFromDib(dib.get());
}

} // namespace platemap
