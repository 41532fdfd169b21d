#pragma once

#include "archive/hotspot_list.h"
#include "platform/memory.h"

#include <cstdint>
#include <memory>
#include <span>
#include <tiffio.h>

namespace platemap {

// Opens a TIFF by path, decodes the image of its first directory into a DIB and reads the hotspot
// archive of its tag 33577.
//
// Decoding paths by PhotometricInterpretation (absent: 1):
//   0, 1  DecodeGray     1, 4 or 8 bits, one sample: palette DIB with a grey ramp
//   3     DecodePalette  1, 4 or 8 bits, one sample: palette DIB with the file's ColorMap
//   2, 4, 5, 6, 8, and grey or palette images of any other depth or with more samples:
//         DecodeRgba     24-bit DIB through libtiff's RGBA reader
//   anything else: no DIB.
// Images with a zero width or height, or whose buffers would overflow or exceed
// maxDibImageBytes, give no DIB.
class TiffLoader {
  public:
    TiffLoader() = default;
    TiffLoader(const TiffLoader&) = delete;
    TiffLoader& operator=(const TiffLoader&) = delete;
    virtual ~TiffLoader() = default;

    // path: an 8-bit (ANSI) path, or null (no DIB, nothing shown). A file that cannot be opened
    // shows libtiff's error box "Cannot read TIFF header", as libtiff does for an unreadable file.
    // Afterwards hotspotList holds the list of this file's hotspot tag, if it has one (also when
    // no DIB came back).
    platform::MemoryBlock Load(const char* path);

    // The list read by the last Load, or none; the caller owns it afterwards.
    std::unique_ptr<HotspotList> takeHotspotList() { return std::move(hotspotList); }

    static platform::MemoryBlock DecodeGray(TIFF* tif);
    static platform::MemoryBlock DecodePalette(TIFF* tif);
    static platform::MemoryBlock DecodeRgba(TIFF* tif);

    // Fill the pixel rows of a DIB (bottom row first) from the file's rows; `pixels` is the whole
    // pixel area. Nothing is written past it: a layout that would not fit reads nothing.
    static void ReadPixels(TIFF* tif, std::span<unsigned char> pixels);
    static void ReadContiguous(TIFF* tif, std::span<unsigned char> pixels);
    static void ReadSeparate(TIFF* tif, std::span<unsigned char> pixels);

    // Write 2^bitsPerSample colour-table entries (RGBQUAD) starting at `table`.
    static void FillGrayTable(TIFF* tif, unsigned char* table, std::uint16_t bitsPerSample);
    static void FillColorMapTable(TIFF* tif, unsigned char* table, std::uint16_t bitsPerSample);

    static std::int32_t PixelsPerMetre(TIFF* tif);

    // The archive in the tag's bytes, read through a stream over them in memory: no temporary
    // file to name, write, fail on or leave behind. None when an exception escapes the reader.
    std::unique_ptr<HotspotList> ReadHotspotTag(const std::uint8_t* bytes, std::uint32_t count);

    std::unique_ptr<HotspotList> hotspotList;
};

} // namespace platemap
