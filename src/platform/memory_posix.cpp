#include "platform/memory.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace platemap::platform {

namespace {

// The stand-in block keeps its size in front of the data so that memorySize can answer.
struct BlockHeader {
    std::size_t size;
    alignas(std::max_align_t) unsigned char data[1];
};

constexpr std::size_t headerBytes = offsetof(BlockHeader, data);

BlockHeader* header(MemoryHandle block) {
    return static_cast<BlockHeader*>(block);
}

} // namespace

MemoryHandle allocateMovable(std::size_t bytes) {
    if (bytes > SIZE_MAX - headerBytes)
        return nullptr;
    auto* block = static_cast<BlockHeader*>(std::calloc(1, headerBytes + bytes));
    if (block)
        block->size = bytes;
    return block;
}

MemoryHandle reallocateMovable(MemoryHandle block, std::size_t bytes) {
    if (bytes > SIZE_MAX - headerBytes)
        return nullptr;
    const std::size_t oldSize = header(block)->size;
    auto* resized = static_cast<BlockHeader*>(std::realloc(block, headerBytes + bytes));
    if (!resized)
        return nullptr;
    if (bytes > oldSize)
        std::memset(resized->data + oldSize, 0, bytes - oldSize);
    resized->size = bytes;
    return resized;
}

void* lockMemory(MemoryHandle block) {
    return header(block)->data;
}

void unlockMemory(MemoryHandle) {}

void freeMemory(MemoryHandle block) {
    std::free(block);
}

std::size_t memorySize(MemoryHandle block) {
    return header(block)->size;
}

} // namespace platemap::platform
