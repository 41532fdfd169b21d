#include "support/tiff_writer.h"

#include "document/private_tags.h"

#include <algorithm>
#include <cstring>
#include <fstream>
#include <iterator>
#include <memory>
#include <stdexcept>
#include <tiffio.h>

namespace platemap::test {

namespace {

struct Closer {
    void operator()(TIFF* tif) const { TIFFClose(tif); }
};

void check(bool ok, const std::string& what) {
    if (!ok)
        throw std::runtime_error("tiff writer: " + what);
}

void setTags(TIFF* tif, const TiffImage& image) {
    check(TIFFSetField(tif, TIFFTAG_IMAGEWIDTH, image.width), "ImageWidth");
    check(TIFFSetField(tif, TIFFTAG_IMAGELENGTH, image.height), "ImageLength");
    if (image.bitsPerSample)
        check(TIFFSetField(tif, TIFFTAG_BITSPERSAMPLE, *image.bitsPerSample), "BitsPerSample");
    check(TIFFSetField(tif, TIFFTAG_SAMPLESPERPIXEL, image.samplesPerPixel), "SamplesPerPixel");
    if (!image.extraSamples.empty())
        check(TIFFSetField(tif, TIFFTAG_EXTRASAMPLES,
                           static_cast<std::uint16_t>(image.extraSamples.size()),
                           image.extraSamples.data()),
              "ExtraSamples");
    check(TIFFSetField(tif, TIFFTAG_PLANARCONFIG, image.planarConfig), "PlanarConfiguration");
    check(TIFFSetField(tif, TIFFTAG_COMPRESSION, image.compression), "Compression");
    if (image.photometric)
        check(TIFFSetField(tif, TIFFTAG_PHOTOMETRIC, *image.photometric), "Photometric");
    if (image.predictor)
        check(TIFFSetField(tif, TIFFTAG_PREDICTOR, image.predictor), "Predictor");
    if (image.compression == COMPRESSION_JPEG) {
        if (image.jpegQuality)
            check(TIFFSetField(tif, TIFFTAG_JPEGQUALITY, image.jpegQuality), "JpegQuality");
        if (image.photometric == PHOTOMETRIC_YCBCR)
            check(TIFFSetField(tif, TIFFTAG_JPEGCOLORMODE, JPEGCOLORMODE_RGB), "JpegColorMode");
    } else if (image.photometric == PHOTOMETRIC_YCBCR) {
        check(TIFFSetField(tif, TIFFTAG_YCBCRSUBSAMPLING, 1, 1), "YCbCrSubsampling");
    }
    if (image.orientation)
        check(TIFFSetField(tif, TIFFTAG_ORIENTATION, *image.orientation), "Orientation");
    if (image.xResolution)
        check(TIFFSetField(tif, TIFFTAG_XRESOLUTION, double{*image.xResolution}), "XResolution");
    if (image.yResolution)
        check(TIFFSetField(tif, TIFFTAG_YRESOLUTION, double{*image.yResolution}), "YResolution");
    if (image.resolutionUnit)
        check(TIFFSetField(tif, TIFFTAG_RESOLUTIONUNIT, *image.resolutionUnit), "ResolutionUnit");
    if (!image.colorMap.empty()) {
        const std::size_t n = image.colorMap.size() / 3;
        check(TIFFSetField(tif, TIFFTAG_COLORMAP, image.colorMap.data(), image.colorMap.data() + n,
                           image.colorMap.data() + 2 * n),
              "ColorMap");
    }
    if (image.clipPathTag)
        check(TIFFSetField(tif, zrvClipPathTag,
                           static_cast<std::uint32_t>(image.clipPathTag->size()),
                           image.clipPathTag->data()),
              "ZRVClipPath");
    if (image.hotspotTag)
        check(TIFFSetField(tif, zrvHotspotTag, static_cast<std::uint32_t>(image.hotspotTag->size()),
                           image.hotspotTag->data()),
              "ZRVHotspot");
    if (image.tileWidth && image.tileLength) {
        check(TIFFSetField(tif, TIFFTAG_TILEWIDTH, image.tileWidth), "TileWidth");
        check(TIFFSetField(tif, TIFFTAG_TILELENGTH, image.tileLength), "TileLength");
    } else {
        const std::uint32_t rows =
            image.rowsPerStrip ? image.rowsPerStrip : TIFFDefaultStripSize(tif, 0);
        check(TIFFSetField(tif, TIFFTAG_ROWSPERSTRIP, rows), "RowsPerStrip");
    }
}

void writeStrips(TIFF* tif, const TiffImage& image, std::vector<std::uint8_t>& pixels) {
    const std::size_t row = image.scanlineBytes();
    for (std::size_t plane = 0; plane < image.planeCount(); ++plane) {
        for (std::uint32_t r = 0; r < image.height; ++r) {
            std::uint8_t* at = pixels.data() + (plane * image.height + r) * row;
            check(TIFFWriteScanline(tif, at, r, static_cast<std::uint16_t>(plane)) == 1,
                  "scanline " + std::to_string(r));
        }
    }
}

void writeTiles(TIFF* tif, const TiffImage& image, const std::vector<std::uint8_t>& pixels) {
    const std::size_t row = image.scanlineBytes();
    // Tile widths are multiples of 16, so every tile starts on a byte, whatever the bit depth.
    const std::size_t pixelBits =
        std::size_t{image.bitsPerSample.value_or(1)} *
        (image.planarConfig == PLANARCONFIG_SEPARATE ? 1 : image.samplesPerPixel);
    const std::size_t tileRow = image.tileWidth * pixelBits / 8;
    std::vector<std::uint8_t> tile(static_cast<std::size_t>(TIFFTileSize(tif)));
    for (std::size_t plane = 0; plane < image.planeCount(); ++plane) {
        for (std::uint32_t y = 0; y < image.height; y += image.tileLength) {
            for (std::uint32_t x = 0; x < image.width; x += image.tileWidth) {
                std::fill(tile.begin(), tile.end(), std::uint8_t{0});
                const std::size_t from = x * pixelBits / 8;
                const std::size_t bytes = std::min(tileRow, row - from);
                for (std::uint32_t ty = 0; ty < image.tileLength && y + ty < image.height; ++ty)
                    std::memcpy(tile.data() + ty * tileRow,
                                pixels.data() + (plane * image.height + y + ty) * row + from,
                                bytes);
                check(TIFFWriteTile(tif, tile.data(), x, y, 0, static_cast<std::uint16_t>(plane)) >
                          0,
                      "tile");
            }
        }
    }
}

std::vector<std::uint8_t> readAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void writeAll(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    check(static_cast<bool>(out), "rewriting " + path);
}

// Reads and writes the numbers of a classic TIFF in the file's own byte order.
struct Layout {
    std::vector<std::uint8_t>& bytes;
    bool big;

    std::uint32_t get(std::size_t at, int size) const {
        check(at + size <= bytes.size(), "directory outside the file");
        std::uint32_t value = 0;
        for (int i = 0; i < size; ++i)
            value |= std::uint32_t{bytes[at + (big ? size - 1 - i : i)]} << (8 * i);
        return value;
    }
    void put(std::size_t at, int size, std::uint32_t value) {
        for (int i = 0; i < size; ++i)
            bytes[at + (big ? size - 1 - i : i)] = static_cast<std::uint8_t>(value >> (8 * i));
    }
    // Offset of the first directory entry with this tag.
    std::size_t entry(std::uint16_t tag) const {
        const std::size_t directory = get(4, 4);
        const std::uint32_t count = get(directory, 2);
        for (std::uint32_t i = 0; i < count; ++i) {
            const std::size_t at = directory + 2 + 12 * i;
            if (get(at, 2) == tag)
                return at;
        }
        throw std::runtime_error("tiff writer: no entry for tag " + std::to_string(tag));
    }
};

Layout layoutOf(std::vector<std::uint8_t>& bytes) {
    check(bytes.size() >= 8 && (bytes[0] == 'I' || bytes[0] == 'M'), "not a classic TIFF");
    return {bytes, bytes[0] == 'M'};
}

} // namespace

std::size_t TiffImage::planeCount() const {
    return planarConfig == PLANARCONFIG_SEPARATE ? samplesPerPixel : 1;
}

std::size_t TiffImage::scanlineBytes() const {
    const std::size_t samples = planarConfig == PLANARCONFIG_SEPARATE ? 1 : samplesPerPixel;
    return (std::size_t{width} * samples * bitsPerSample.value_or(1) + 7) / 8;
}

void writeTiff(const std::string& path, const std::vector<TiffImage>& images, bool bigEndian) {
    registerPrivateTags();
    {
        std::unique_ptr<TIFF, Closer> tif(TIFFOpen(path.c_str(), bigEndian ? "wb" : "wl"));
        check(tif != nullptr, "cannot create " + path);
        for (const TiffImage& image : images) {
            setTags(tif.get(), image);
            const std::size_t needed = image.scanlineBytes() * image.height * image.planeCount();
            std::vector<std::uint8_t> pixels = image.pixels;
            check(pixels.size() == needed, "pixels: " + std::to_string(pixels.size()) +
                                               " bytes where the image needs " +
                                               std::to_string(needed));
            if (image.tileWidth && image.tileLength)
                writeTiles(tif.get(), image, pixels);
            else
                writeStrips(tif.get(), image, pixels);
            check(TIFFWriteDirectory(tif.get()), "directory");
        }
    }
    const TiffImage& first = images.front();
    if (first.privateTagsOutOfOrder)
        swapFirstDirectoryEntries(path, zrvClipPathTag, zrvHotspotTag);
    if (first.declaredWidth)
        patchFirstDirectoryEntry(path, TIFFTAG_IMAGEWIDTH, TIFF_LONG, *first.declaredWidth);
    if (first.declaredHeight)
        patchFirstDirectoryEntry(path, TIFFTAG_IMAGELENGTH, TIFF_LONG, *first.declaredHeight);
}

void writeTiff(const std::string& path, const TiffImage& image, bool bigEndian) {
    writeTiff(path, std::vector<TiffImage>{image}, bigEndian);
}

void patchFirstDirectoryEntry(const std::string& path, std::uint16_t tag, std::uint16_t type,
                              std::uint32_t value) {
    std::vector<std::uint8_t> bytes = readAll(path);
    Layout layout = layoutOf(bytes);
    const std::size_t at = layout.entry(tag);
    layout.put(at + 2, 2, type);
    layout.put(at + 4, 4, 1);
    layout.put(at + 8, 4, value);
    writeAll(path, bytes);
}

void swapFirstDirectoryEntries(const std::string& path, std::uint16_t tagA, std::uint16_t tagB) {
    std::vector<std::uint8_t> bytes = readAll(path);
    const Layout layout = layoutOf(bytes);
    const std::size_t a = layout.entry(tagA);
    const std::size_t b = layout.entry(tagB);
    std::swap_ranges(bytes.begin() + static_cast<std::ptrdiff_t>(a),
                     bytes.begin() + static_cast<std::ptrdiff_t>(a + 12),
                     bytes.begin() + static_cast<std::ptrdiff_t>(b));
    writeAll(path, bytes);
}

std::vector<std::uint16_t> firstDirectoryTags(const std::string& path) {
    std::vector<std::uint8_t> bytes = readAll(path);
    const Layout layout = layoutOf(bytes);
    const std::size_t directory = layout.get(4, 4);
    std::vector<std::uint16_t> tags;
    for (std::uint32_t i = 0; i < layout.get(directory, 2); ++i)
        tags.push_back(static_cast<std::uint16_t>(layout.get(directory + 2 + 12 * i, 2)));
    return tags;
}

std::vector<std::uint8_t> packSamples(const std::vector<std::uint8_t>& values, std::uint32_t width,
                                      std::uint32_t height, unsigned bits) {
    const std::size_t row = (std::size_t{width} * bits + 7) / 8;
    std::vector<std::uint8_t> packed(row * height, 0);
    for (std::uint32_t y = 0; y < height; ++y) {
        for (std::uint32_t x = 0; x < width; ++x) {
            const unsigned value = values[std::size_t{y} * width + x] & ((1u << bits) - 1);
            const std::size_t bit = std::size_t{x} * bits;
            packed[y * row + bit / 8] |= static_cast<std::uint8_t>(value << (8 - bits - bit % 8));
        }
    }
    return packed;
}

} // namespace platemap::test
