#include "raster/bmp_quantizer.h"

#include <cstdio>
#include <exception>
#include <filesystem>
#include <limits>
#include <new>
#include <system_error>

namespace platemap {

namespace {

constexpr std::uint16_t bitmapType = 0x4D42; // "BM"
constexpr std::uint32_t infoHeaderBytes = 40;
constexpr std::uint32_t outputDataOffset =
    14 + infoHeaderBytes + 4 * OctreeQuantizer::paletteCapacity;

// Field offsets in the file header and the information header.
constexpr std::size_t typeField = 0;
constexpr std::size_t fileSizeField = 2;
constexpr std::size_t dataOffsetField = 10;
constexpr std::size_t headerSizeField = 0;
constexpr std::size_t widthField = 4;
constexpr std::size_t heightField = 8;
constexpr std::size_t bitCountField = 14;
constexpr std::size_t imageSizeField = 20;
constexpr std::size_t coloursUsedField = 32;
constexpr std::size_t coloursImportantField = 36;

template <std::size_t N>
std::uint32_t readLe(const std::array<std::uint8_t, N>& bytes, std::size_t at, int size) {
    std::uint32_t value = 0;
    for (int i = size - 1; i >= 0; --i)
        value = value << 8 | bytes[at + i];
    return value;
}

template <std::size_t N>
void writeLe(std::array<std::uint8_t, N>& bytes, std::size_t at, int size, std::uint32_t value) {
    for (int i = 0; i < size; ++i)
        bytes[at + i] = static_cast<std::uint8_t>(value >> (8 * i));
}

std::uint64_t paddedRow(std::uint64_t bytes) {
    return (bytes + 3) & ~std::uint64_t{3};
}

template <std::size_t N>
bool readAll(std::FILE* file, std::array<std::uint8_t, N>& bytes) {
    return std::fread(bytes.data(), 1, N, file) == N;
}

template <std::size_t N>
bool writeAll(std::FILE* file, const std::array<std::uint8_t, N>& bytes) {
    return std::fwrite(bytes.data(), 1, N, file) == N;
}

// A path spelt differently can still name the input; writing it would destroy the input.
bool sameFile(const std::string& inputPath, const std::string& outputPath) {
    if (inputPath == outputPath)
        return true;
    try {
        std::error_code error;
        return std::filesystem::equivalent(inputPath, outputPath, error);
    } catch (const std::exception&) {
        // A name the library cannot convert: the byte-wise comparison has to do.
        return false;
    }
}

std::int64_t fileSize(std::FILE* file) {
    if (std::fseek(file, 0, SEEK_END) != 0)
        return -1;
    return std::ftell(file);
}

} // namespace

bool BmpQuantizer::quantize(const std::string& inputPath, const std::string& outputPath) {
    if (sameFile(inputPath, outputPath))
        return false;
    bool done = convert(inputPath, outputPath);
    input_.reset();
    if (output_) {
        // A failed close can lose buffered rows.
        done = std::fclose(output_.release()) == 0 && done;
        if (!done)
            std::remove(outputPath.c_str());
    }
    inputRow_.reset();
    outputRow_.reset();
    return done;
}

// The output is created only once the input is known to be usable, so a bad input leaves an
// existing file of the output's name alone.
bool BmpQuantizer::convert(const std::string& inputPath, const std::string& outputPath) {
    input_.reset(std::fopen(inputPath.c_str(), "rb"));
    if (!input_ || !readHeaders() || !sizeRows() || !allocateRows())
        return false;
    output_.reset(std::fopen(outputPath.c_str(), "wb"));
    if (!output_ || !seekToPixels() || !buildTree())
        return false;
    std::fputs("Initializing color palette ...\n", stderr);
    makePalette();
    if (!writeHeaders())
        return false;
    std::fputs("Mapping colors to 8-bit palette ...\n", stderr);
    const bool mapped = mapPixels();
    std::fputs("\nColor quantization complete\n", stderr);
    return mapped;
}

bool BmpQuantizer::readHeaders() {
    if (!readAll(input_.get(), fileHeader_) || readLe(fileHeader_, typeField, 2) != bitmapType)
        return false;
    if (!readAll(input_.get(), infoHeader_) || readLe(infoHeader_, bitCountField, 2) != 24)
        return false;
    inputDataOffset_ = readLe(fileHeader_, dataOffsetField, 4);
    width_ = static_cast<std::int32_t>(readLe(infoHeader_, widthField, 4));
    height_ = static_cast<std::int32_t>(readLe(infoHeader_, heightField, 4));
    return true;
}

// The header is untrusted: the rows it promises must be in the file before anything is
// allocated for them, and the output's sizes must fit its 32-bit fields. Top-down (negative
// height) and empty images are not handled.
bool BmpQuantizer::sizeRows() {
    if (width_ <= 0 || height_ <= 0)
        return false;
    const auto width = static_cast<std::uint64_t>(width_);
    const auto height = static_cast<std::uint64_t>(height_);
    const std::uint64_t inputRow = paddedRow(3 * width);
    const std::uint64_t outputRow = paddedRow(width);
    const std::int64_t available = fileSize(input_.get());
    if (available < 0 ||
        inputDataOffset_ + inputRow * height > static_cast<std::uint64_t>(available) ||
        outputDataOffset + outputRow * height > std::numeric_limits<std::uint32_t>::max())
        return false;
    inputRowBytes_ = static_cast<std::size_t>(inputRow);
    outputRowBytes_ = static_cast<std::size_t>(outputRow);
    return true;
}

bool BmpQuantizer::allocateRows() {
    inputRow_.reset(new (std::nothrow) std::uint8_t[inputRowBytes_]);
    outputRow_.reset(new (std::nothrow) std::uint8_t[outputRowBytes_]());
    return inputRow_ && outputRow_;
}

bool BmpQuantizer::seekToPixels() {
    return std::fseek(input_.get(), static_cast<long>(inputDataOffset_), SEEK_SET) == 0;
}

void BmpQuantizer::makePalette() {
    colourCount_ = numberPaletteEntries();
    for (int i = 0; i < colourCount_; ++i) {
        const Rgb colour = palette()[i];
        colourTable_[4 * i] = colour.blue;
        colourTable_[4 * i + 1] = colour.green;
        colourTable_[4 * i + 2] = colour.red;
        colourTable_[4 * i + 3] = 0;
    }
}

bool BmpQuantizer::writeHeaders() {
    const auto imageSize = static_cast<std::uint32_t>(outputRowBytes_ * height_);
    writeLe(fileHeader_, fileSizeField, 4, outputDataOffset + imageSize);
    writeLe(fileHeader_, dataOffsetField, 4, outputDataOffset);
    // The colour table follows 40 header bytes, whatever newer header the input had.
    writeLe(infoHeader_, headerSizeField, 4, infoHeaderBytes);
    writeLe(infoHeader_, bitCountField, 2, 8);
    writeLe(infoHeader_, imageSizeField, 4, imageSize);
    writeLe(infoHeader_, coloursUsedField, 4, paletteCapacity);
    writeLe(infoHeader_, coloursImportantField, 4, static_cast<std::uint32_t>(colourCount_));
    return writeAll(output_.get(), fileHeader_) && writeAll(output_.get(), infoHeader_) &&
           writeAll(output_.get(), colourTable_);
}

bool BmpQuantizer::mapPixels() {
    if (!seekToPixels())
        return false;
    for (int y = 0; y < height_; ++y) {
        for (int x = 0; x < width_; ++x) {
            Rgb colour;
            if (!getPixel(x, y, colour))
                return false;
            // A colour the first pass never saw means the input changed between the passes.
            const int index = findIndex(colour);
            if (index < 0 || !setPixel(x, y, index))
                return false;
        }
    }
    return true;
}

// Rows are consumed in file order; y only follows along.
bool BmpQuantizer::getPixel(int x, int /*y*/, Rgb& colour) {
    if (x == 0 && std::fread(inputRow_.get(), 1, inputRowBytes_, input_.get()) != inputRowBytes_)
        return false;
    const std::uint8_t* pixel = inputRow_.get() + 3 * static_cast<std::size_t>(x);
    colour = {pixel[2], pixel[1], pixel[0]};
    return true;
}

bool BmpQuantizer::setPixel(int x, int /*y*/, int index) {
    outputRow_[static_cast<std::size_t>(x)] = static_cast<std::uint8_t>(index);
    return x != width_ - 1 ||
           std::fwrite(outputRow_.get(), 1, outputRowBytes_, output_.get()) == outputRowBytes_;
}

} // namespace platemap
