#include "raster/bitmap_file.h"

#include "platform/cursor.h"
#include "raster/dib.h"
#include "raster/dib_errors.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace platemap {

namespace {

constexpr std::uint32_t chunkBytes = 0x7FFF;
// A block with room for an information header and 256 colours, the first guess of the reader.
constexpr std::size_t firstGuessBytes = infoHeaderSize + 256 * 4;

std::uint16_t get16(const unsigned char* at) {
    return static_cast<std::uint16_t>(at[0] | at[1] << 8);
}

std::uint32_t get32(const unsigned char* at) {
    return at[0] | at[1] << 8 | at[2] << 16 | static_cast<std::uint32_t>(at[3]) << 24;
}

void put16(unsigned char* at, std::uint16_t value) {
    at[0] = static_cast<unsigned char>(value);
    at[1] = static_cast<unsigned char>(value >> 8);
}

void put32(unsigned char* at, std::uint32_t value) {
    for (int i = 0; i < 4; ++i)
        at[i] = static_cast<unsigned char>(value >> (8 * i));
}

bool isSupportedBitCount(std::uint16_t bitCount) {
    switch (bitCount) {
    case 1:
    case 2:
    case 4:
    case 8:
    case 16:
    case 24:
    case 32:
        return true;
    default:
        return false;
    }
}

// Completes the colours-used and image size fields of a header just read; false for a header
// whose image cannot be held safely.
bool completeHeader(BitmapInfoHeader& info) {
    if (info.size != infoHeaderSize || info.width <= 0 || info.height <= 0 ||
        !isSupportedBitCount(info.bitCount) || info.clrUsed > 0xFFFF)
        return false;
    if (info.clrUsed == 0)
        info.clrUsed = info.bitCount <= 8 ? 1u << info.bitCount : 0;
    const std::uint64_t rowsNeed =
        dibRowBytes(info.width, info.bitCount) * static_cast<std::uint64_t>(info.height);
    const bool runLength =
        info.compression == compressionRle8 || info.compression == compressionRle4;
    std::uint64_t imageBytes = info.sizeImage;
    if (imageBytes == 0 || (!runLength && imageBytes < rowsNeed))
        imageBytes = rowsNeed;
    if (imageBytes > maxDibImageBytes)
        return false;
    info.sizeImage = static_cast<std::uint32_t>(imageBytes);
    return true;
}

} // namespace

bool readInChunks(platform::FileHandle file, void* buffer, std::uint32_t bytes) {
    auto* at = static_cast<unsigned char*>(buffer);
    while (bytes > 0) {
        const std::uint32_t piece = std::min(bytes, chunkBytes);
        if (platform::readFile(file, at, piece) != piece)
            return false;
        at += piece;
        bytes -= piece;
    }
    return true;
}

std::uint32_t writeInChunks(platform::FileHandle file, const void* buffer, std::uint32_t bytes) {
    const auto* at = static_cast<const unsigned char*>(buffer);
    const std::uint32_t total = bytes;
    while (bytes > chunkBytes) {
        if (platform::writeFile(file, at, chunkBytes) != chunkBytes)
            return 0;
        at += chunkBytes;
        bytes -= chunkBytes;
    }
    if (platform::writeFile(file, at, bytes) != bytes)
        return 0;
    return total;
}

platform::MemoryBlock readBitmapFile(const std::string& path) {
    platform::showWaitCursor();
    platform::MemoryBlock dib;
    const platform::UniqueFile file(platform::openForReading(path));
    if (!file)
        showDibError(dibErrorFileNotFound);
    else
        dib = readBitmapFromHandle(file.get());
    platform::showArrowCursor();
    return dib;
}

platform::MemoryBlock readBitmapFromHandle(platform::FileHandle file) {
    platform::MemoryBlock block(platform::allocateMovable(firstGuessBytes));
    if (!block)
        return {};

    unsigned char fileBytes[bitmapFileHeaderSize];
    if (platform::readFile(file, fileBytes, sizeof fileBytes) != sizeof fileBytes ||
        get16(fileBytes) != bitmapFileType)
        return {};
    const std::uint32_t dataOffset = get32(fileBytes + 10);

    BitmapInfoHeader info;
    {
        const platform::MemoryLock lock(block.get());
        if (!lock || platform::readFile(file, lock.bytes(), infoHeaderSize) != infoHeaderSize)
            return {};
        info = readInfoHeader(lock.bytes());
        if (info.size == coreHeaderSize || !completeHeader(info))
            return {};
        writeInfoHeader(lock.bytes(), info);
    }

    const std::uint32_t tableBytes = 4 * info.clrUsed;
    const std::uint64_t total = std::uint64_t{info.size} + tableBytes + info.sizeImage;
    const platform::MemoryHandle resized =
        platform::reallocateMovable(block.get(), static_cast<std::size_t>(total));
    if (!resized)
        return {};
    block.release();
    block.reset(resized);

    const platform::MemoryLock lock(block.get());
    if (!lock)
        return {};
    // A short colour table goes unreported: the pixel transfer decides the result.
    platform::readFile(file, lock.bytes() + info.size, tableBytes);
    if (dataOffset != 0 && !platform::seekFile(file, dataOffset))
        return {};
    if (!readInChunks(file, lock.bytes() + info.size + tableBytes, info.sizeImage))
        return {};
    return block;
}

std::uint16_t writeBitmapFile(platform::MemoryHandle dib, const std::string& path) {
    if (!dib)
        return dibErrorInvalidHandle;
    const platform::UniqueFile file(platform::createForWriting(path));
    if (!file)
        return dibErrorOpenFile;
    const platform::MemoryLock lock(dib);
    if (!lock)
        return dibErrorLockMemory;
    BitmapInfoHeader info = readInfoHeader(lock.bytes());
    if (info.size != infoHeaderSize)
        return 0;

    std::uint64_t dataBytes = std::uint64_t{info.size} + colourTableBytes(lock.bytes());
    if (info.compression == compressionRle8 || info.compression == compressionRle4) {
        dataBytes += info.sizeImage;
    } else {
        const std::uint64_t imageBytes =
            dibRowBytes(info.width, info.bitCount) *
            static_cast<std::uint64_t>(std::abs(static_cast<std::int64_t>(info.height)));
        if (imageBytes > maxDibImageBytes)
            return dibErrorGeneral;
        info.sizeImage = static_cast<std::uint32_t>(imageBytes);
        writeInfoHeader(lock.bytes(), info);
        dataBytes += imageBytes;
    }
    if (dataBytes > platform::memorySize(dib))
        return dibErrorGeneral;

    unsigned char header[bitmapFileHeaderSize] = {};
    put16(header, bitmapFileType);
    put32(header + 2, static_cast<std::uint32_t>(dataBytes + bitmapFileHeaderSize));
    put32(header + 10, bitmapFileHeaderSize + info.size + colourTableBytes(lock.bytes()));
    platform::writeFile(file.get(), header, sizeof header);

    const auto size = static_cast<std::uint32_t>(dataBytes);
    return writeInChunks(file.get(), lock.bytes(), size) == size ? 0 : dibErrorOpenFile;
}

} // namespace platemap
