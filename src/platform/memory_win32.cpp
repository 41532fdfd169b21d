#include "platform/memory.h"

#include <windows.h>

namespace platemap::platform {

MemoryHandle allocateMovable(std::size_t bytes) {
    return GlobalAlloc(GHND, bytes);
}

MemoryHandle reallocateMovable(MemoryHandle block, std::size_t bytes) {
    return GlobalReAlloc(block, bytes, GMEM_MOVEABLE | GMEM_ZEROINIT);
}

void* lockMemory(MemoryHandle block) {
    return GlobalLock(block);
}

void unlockMemory(MemoryHandle block) {
    GlobalUnlock(block);
}

void freeMemory(MemoryHandle block) {
    GlobalFree(block);
}

std::size_t memorySize(MemoryHandle block) {
    return GlobalSize(block);
}

} // namespace platemap::platform
