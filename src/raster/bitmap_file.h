#pragma once

#include "platform/files.h"
#include "platform/memory.h"

#include <cstdint>
#include <string>

namespace platemap {

// Bitmap files: a 14-byte BITMAPFILEHEADER ("BM", file size, two reserved fields,
// offset of the pixel data) followed by the DIB. All fields little-endian.
inline constexpr std::uint32_t bitmapFileHeaderSize = 14;
inline constexpr std::uint16_t bitmapFileType = 0x4D42; // "BM"

// Reads a bitmap file into a new DIB, or none. A file that cannot be opened shows "File Not
// Found!" (showDibError 19); any other failure is silent.
platform::MemoryBlock readBitmapFile(const std::string& path);

// Reads a bitmap file from the current position of an open file: a new DIB, or none for a short
// read, no "BM", a header of any size but 40, a width or height that is not positive (top-down
// files included), an unusual bit count, more than 65,535 colours used, or sizes that overflow or
// exceed maxDibImageBytes. Without a colours-used field only 8 bits or fewer get a colour table
// (2^32 entries for 32 bits would be none). An uncompressed image size field smaller than the rows
// need is raised to what they need, so that readers of the DIB never run past the block.
platform::MemoryBlock readBitmapFromHandle(platform::FileHandle file);

// Writes a DIB as a bitmap file: 0 on success, else 20 (no DIB), 4 (cannot create, short write),
// 3 (cannot lock) or 21 (a header whose pixel data would run past the block; nothing written).
// A DIB whose header size is not 40 writes nothing and returns 0 (the file stays, empty).
std::uint16_t writeBitmapFile(platform::MemoryHandle dib, const std::string& path);

// Move the data in pieces of at most 32,767 bytes, in order.
// readInChunks: true when every byte was read (and for a count of 0).
bool readInChunks(platform::FileHandle file, void* buffer, std::uint32_t bytes);
// writeInChunks: the byte count when every byte was written, else 0.
std::uint32_t writeInChunks(platform::FileHandle file, const void* buffer, std::uint32_t bytes);

} // namespace platemap
