#include "document/tiff_loader.h"

#include "archive/byte_stream.h"
#include "archive/read_archive.h"
#include "document/private_tags.h"
#include "document/tiff_handlers.h"
#include "platform/files.h"
#include "raster/dib.h"

#include <cmath>
#include <cstdint>
#include <limits>

namespace platemap {

namespace {

// A scratch buffer from libtiff's allocator.
class TiffBuffer {
  public:
    explicit TiffBuffer(std::uint64_t bytes)
        : data_(bytes <= static_cast<std::uint64_t>(std::numeric_limits<tmsize_t>::max())
                    ? _TIFFmalloc(static_cast<tmsize_t>(bytes))
                    : nullptr) {}
    TiffBuffer(const TiffBuffer&) = delete;
    TiffBuffer& operator=(const TiffBuffer&) = delete;
    ~TiffBuffer() {
        if (data_)
            _TIFFfree(data_);
    }
    void* get() const { return data_; }

  private:
    void* data_;
};

// libtiff 4.5.0 refuses an uncompressed tile read without memory mapping (as "ru" asks on
// Windows) unless the tile's size is a multiple of 1024: it compares the tile size with the size
// of its read buffer, which it rounds up to 1024. A read buffer of exactly one tile passes.
class ExactTileBuffer {
  public:
    explicit ExactTileBuffer(TIFF* tif) : tif_(tif) {
        std::uint16_t compression = COMPRESSION_NONE;
        TIFFGetFieldDefaulted(tif, TIFFTAG_COMPRESSION, &compression);
        const tmsize_t size = TIFFIsTiled(tif) ? TIFFTileSize(tif) : 0;
        if (compression != COMPRESSION_NONE || size <= 0 || size % 1024 == 0)
            return;
        buffer_ = _TIFFmalloc(size);
        if (buffer_ && !TIFFReadBufferSetup(tif, buffer_, size)) {
            _TIFFfree(buffer_);
            buffer_ = nullptr;
        }
    }
    ExactTileBuffer(const ExactTileBuffer&) = delete;
    ExactTileBuffer& operator=(const ExactTileBuffer&) = delete;
    ~ExactTileBuffer() {
        if (!buffer_)
            return;
        TIFFReadBufferSetup(tif_, nullptr, 1); // libtiff's own buffer again, before ours goes
        _TIFFfree(buffer_);
    }

  private:
    TIFF* tif_;
    void* buffer_ = nullptr;
};

template <typename T>
T fieldOr(TIFF* tif, ttag_t tag, T fallback) {
    T value = fallback;
    TIFFGetField(tif, tag, &value);
    return value;
}

// The image size, when a DIB of it can exist: both sides positive and within int32.
bool imageSize(TIFF* tif, std::uint32_t& width, std::uint32_t& height) {
    width = fieldOr<std::uint32_t>(tif, TIFFTAG_IMAGEWIDTH, 0);
    height = fieldOr<std::uint32_t>(tif, TIFFTAG_IMAGELENGTH, 0);
    constexpr auto limit = static_cast<std::uint32_t>(std::numeric_limits<std::int32_t>::max());
    return width > 0 && height > 0 && width <= limit && height <= limit;
}

// The grey and palette paths place one sample of 1, 4 or 8 bits per pixel; everything else
// goes to the RGBA reader.
bool fitsIndexedPath(TIFF* tif, std::uint16_t defaultBits) {
    const auto bits = fieldOr<std::uint16_t>(tif, TIFFTAG_BITSPERSAMPLE, defaultBits);
    const auto samples = fieldOr<std::uint16_t>(tif, TIFFTAG_SAMPLESPERPIXEL, 1);
    return (bits == 1 || bits == 4 || bits == 8) && samples == 1;
}

using FillTable = void (*)(TIFF*, unsigned char*, std::uint16_t);

platform::MemoryBlock decodeIndexed(TIFF* tif, std::uint16_t defaultBits, FillTable fillTable) {
    std::uint32_t width;
    std::uint32_t height;
    if (!imageSize(tif, width, height))
        return {};
    const auto bits = fieldOr<std::uint16_t>(tif, TIFFTAG_BITSPERSAMPLE, defaultBits);
    const tmsize_t rowLength = TIFFScanlineSize(tif);
    if (rowLength <= 0 || rowLength > std::numeric_limits<std::int32_t>::max())
        return {};
    platform::MemoryBlock dib =
        allocateDib(static_cast<std::int32_t>(width), static_cast<std::int32_t>(height),
                    static_cast<std::int32_t>(rowLength), bits, TiffLoader::PixelsPerMetre(tif));
    if (!dib)
        return {};
    const platform::MemoryLock lock(dib.get());
    if (!lock)
        return {};
    fillTable(tif, lock.bytes() + infoHeaderSize, bits);
    const BitmapInfoHeader info = readInfoHeader(lock.bytes());
    TiffLoader::ReadPixels(tif, {dibPixels(lock.bytes()), info.sizeImage});
    return dib;
}

} // namespace

platform::MemoryBlock TiffLoader::Load(const char* path) {
    hotspotList.reset();
    installTiffHandlers();
    if (!path)
        return {};

    platform::UniqueFile file(platform::openForReading(path));
    if (!file) {
        // libtiff would say this about the handle of a file that does not open; it never sees
        // one here, so the same box comes through its handler from us.
        TIFFErrorExt(nullptr, path, "%s", "Cannot read TIFF header");
        return {};
    }
    const UniqueTiff tif = openTiffWithTags(std::move(file), path, "ru");
    if (!tif)
        return {};

    const auto photometric =
        fieldOr<std::uint16_t>(tif.get(), TIFFTAG_PHOTOMETRIC, PHOTOMETRIC_MINISBLACK);
    platform::MemoryBlock dib;
    switch (photometric) {
    case PHOTOMETRIC_MINISWHITE:
    case PHOTOMETRIC_MINISBLACK:
        dib = fitsIndexedPath(tif.get(), 1) ? DecodeGray(tif.get()) : DecodeRgba(tif.get());
        break;
    case PHOTOMETRIC_PALETTE:
        dib = fitsIndexedPath(tif.get(), 8) ? DecodePalette(tif.get()) : DecodeRgba(tif.get());
        break;
    case PHOTOMETRIC_RGB:
    case PHOTOMETRIC_MASK:
    case PHOTOMETRIC_SEPARATED:
    case PHOTOMETRIC_YCBCR:
    case PHOTOMETRIC_CIELAB:
        dib = DecodeRgba(tif.get());
        break;
    default:
        break;
    }

    // Whatever the decoding gave, the hotspot tag is read. Its bytes belong to the handle.
    std::uint32_t count = 0;
    void* bytes = nullptr;
    if (TIFFGetField(tif.get(), zrvHotspotTag, &count, &bytes) && count != 0 && bytes)
        hotspotList = ReadHotspotTag(static_cast<const std::uint8_t*>(bytes), count);
    return dib;
}

platform::MemoryBlock TiffLoader::DecodeGray(TIFF* tif) {
    return decodeIndexed(tif, 1, FillGrayTable);
}

platform::MemoryBlock TiffLoader::DecodePalette(TIFF* tif) {
    return decodeIndexed(tif, 8, FillColorMapTable);
}

platform::MemoryBlock TiffLoader::DecodeRgba(TIFF* tif) {
    std::uint32_t width;
    std::uint32_t height;
    if (!imageSize(tif, width, height))
        return {};
    // The raster holds 4 bytes a pixel: the largest buffer of this path.
    const std::uint64_t rasterBytes = std::uint64_t{4} * width * height;
    if (rasterBytes > maxDibImageBytes)
        return {};
    platform::MemoryBlock dib =
        allocateDib(static_cast<std::int32_t>(width), static_cast<std::int32_t>(height),
                    static_cast<std::int32_t>(3 * width), 24, PixelsPerMetre(tif));
    if (!dib)
        return {};
    const platform::MemoryLock lock(dib.get());
    if (!lock)
        return dib;
    const TiffBuffer raster(rasterBytes);
    if (!raster.get())
        return dib;
    auto* values = static_cast<std::uint32_t*>(raster.get());
    {
        const ExactTileBuffer tileBuffer(tif);
        if (!TIFFReadRGBAImage(tif, width, height, values, 0))
            return dib;
    }

    // Raster row 0 is the bottom row of the image, as is DIB row 0.
    unsigned char* bits = dibPixels(lock.bytes());
    const std::uint64_t stride = paddedRowBytes(std::uint64_t{3} * width);
    for (std::uint32_t y = 0; y < height; ++y) {
        const std::uint32_t* from = values + std::uint64_t{y} * width;
        unsigned char* to = bits + y * stride;
        for (std::uint32_t x = 0; x < width; ++x) {
            const std::uint32_t value = from[x];
            *to++ = static_cast<unsigned char>(TIFFGetB(value));
            *to++ = static_cast<unsigned char>(TIFFGetG(value));
            *to++ = static_cast<unsigned char>(TIFFGetR(value));
        }
    }
    return dib;
}

void TiffLoader::ReadPixels(TIFF* tif, std::span<unsigned char> pixels) {
    switch (fieldOr<std::uint16_t>(tif, TIFFTAG_PLANARCONFIG, PLANARCONFIG_CONTIG)) {
    case PLANARCONFIG_CONTIG:
        ReadContiguous(tif, pixels);
        break;
    case PLANARCONFIG_SEPARATE:
        ReadSeparate(tif, pixels);
        break;
    default:
        break; // the DIB stays zero: colour-table entry 0 everywhere
    }
}

void TiffLoader::ReadContiguous(TIFF* tif, std::span<unsigned char> pixels) {
    const auto height = fieldOr<std::uint32_t>(tif, TIFFTAG_IMAGELENGTH, 0);
    const tmsize_t rowLength = TIFFScanlineSize(tif);
    if (rowLength <= 0)
        return;
    const std::uint64_t stride = paddedRowBytes(static_cast<std::uint64_t>(rowLength));
    if (stride * height > pixels.size())
        return;
    for (std::uint32_t r = 0; r < height; ++r) {
        // A row that fails is neither retried nor reported here; libtiff has shown its box.
        TIFFReadScanline(tif, pixels.data() + (height - 1 - r) * stride, r, 0);
    }
}

void TiffLoader::ReadSeparate(TIFF* tif, std::span<unsigned char> pixels) {
    const auto samples = fieldOr<std::uint16_t>(tif, TIFFTAG_SAMPLESPERPIXEL, 1);
    const auto height = fieldOr<std::uint32_t>(tif, TIFFTAG_IMAGELENGTH, 0);
    const tmsize_t rowLength = TIFFScanlineSize(tif);
    if (rowLength <= 0 || samples == 0)
        return;
    const auto length = static_cast<std::uint64_t>(rowLength);
    const std::uint64_t stride = paddedRowBytes(length) * samples;
    if (stride * height > pixels.size())
        return;
    const TiffBuffer scratch(length);
    if (!scratch.get())
        return;
    const auto* row = static_cast<const unsigned char*>(scratch.get());
    for (std::uint32_t r = 0; r < height; ++r) {
        unsigned char* to = pixels.data() + (height - 1 - r) * stride;
        for (std::uint16_t s = 0; s < samples; ++s) {
            TIFFReadScanline(tif, scratch.get(), r, s);
            for (std::uint64_t j = 0; j < length; ++j)
                to[s + samples * j] = row[j];
        }
    }
}

void TiffLoader::FillGrayTable(TIFF* tif, unsigned char* table, std::uint16_t bitsPerSample) {
    if (bitsPerSample == 0 || bitsPerSample > 8)
        return;
    const auto photometric =
        fieldOr<std::uint16_t>(tif, TIFFTAG_PHOTOMETRIC, PHOTOMETRIC_MINISBLACK);
    const unsigned entries = 1u << bitsPerSample;
    const unsigned step = 255 / (entries - 1);
    for (unsigned i = 0; i < entries; ++i) {
        auto v = static_cast<unsigned char>(step * i % 256);
        if (photometric == PHOTOMETRIC_MINISWHITE)
            v = static_cast<unsigned char>(255 - v);
        unsigned char* entry = table + 4 * i;
        entry[0] = v;
        entry[1] = v;
        entry[2] = v;
        entry[3] = 0;
    }
}

void TiffLoader::FillColorMapTable(TIFF* tif, unsigned char* table, std::uint16_t bitsPerSample) {
    std::uint16_t* red = nullptr;
    std::uint16_t* green = nullptr;
    std::uint16_t* blue = nullptr;
    if (bitsPerSample == 0 || bitsPerSample > 8 ||
        !TIFFGetField(tif, TIFFTAG_COLORMAP, &red, &green, &blue))
        return;
    // libtiff's arrays have 2^(its own BitsPerSample) entries, which is 1 bit when the tag is
    // absent although this path then builds 8 bits: never read past them.
    std::uint16_t fileBits = 1;
    TIFFGetFieldDefaulted(tif, TIFFTAG_BITSPERSAMPLE, &fileBits);
    unsigned entries = 1u << bitsPerSample;
    if (fileBits < bitsPerSample)
        entries = 1u << fileBits;
    for (unsigned i = 0; i < entries; ++i) {
        unsigned char* entry = table + 4 * i;
        entry[0] = static_cast<unsigned char>(blue[i] >> 8);
        entry[1] = static_cast<unsigned char>(green[i] >> 8);
        entry[2] = static_cast<unsigned char>(red[i] >> 8);
        entry[3] = 0;
    }
}

std::int32_t TiffLoader::PixelsPerMetre(TIFF* tif) {
    float x = fieldOr<float>(tif, TIFFTAG_XRESOLUTION, 0.0f);
    std::uint16_t unit = 0;
    if (TIFFGetField(tif, TIFFTAG_RESOLUTIONUNIT, &unit) && unit == RESUNIT_INCH)
        x = x * 39.37008f;
    // Out of range (or not a number) cannot be a resolution: 0, as for none.
    if (!(std::fabs(x) < 2147483520.0f))
        return 0;
    return static_cast<std::int32_t>(std::lround(x));
}

std::unique_ptr<HotspotList> TiffLoader::ReadHotspotTag(const std::uint8_t* bytes,
                                                        std::uint32_t count) {
    try {
        auto list = std::make_unique<HotspotList>();
        MemoryInputStream input(std::span<const std::uint8_t>(bytes, count));
        readHotspotArchive(input, *list);
        return list;
    } catch (...) {
        return nullptr;
    }
}

} // namespace platemap
