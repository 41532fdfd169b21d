#pragma once

#include <cstddef>
#include <utility>

namespace platemap::platform {

// A movable memory block (global memory on Win32) identified by an opaque handle.
using MemoryHandle = void*;

MemoryHandle allocateMovable(std::size_t bytes);
MemoryHandle reallocateMovable(MemoryHandle block, std::size_t bytes);
void* lockMemory(MemoryHandle block);
void unlockMemory(MemoryHandle block);
void freeMemory(MemoryHandle block);
std::size_t memorySize(MemoryHandle block);

// Owns one movable block; moving transfers the ownership.
class MemoryBlock {
  public:
    MemoryBlock() = default;
    explicit MemoryBlock(MemoryHandle handle) : handle_(handle) {}
    MemoryBlock(MemoryBlock&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}
    MemoryBlock& operator=(MemoryBlock&& other) noexcept {
        if (this != &other)
            reset(std::exchange(other.handle_, nullptr));
        return *this;
    }
    MemoryBlock(const MemoryBlock&) = delete;
    MemoryBlock& operator=(const MemoryBlock&) = delete;
    ~MemoryBlock() { reset(); }

    MemoryHandle get() const { return handle_; }
    explicit operator bool() const { return handle_ != nullptr; }
    MemoryHandle release() { return std::exchange(handle_, nullptr); }
    void reset(MemoryHandle handle = nullptr) {
        if (handle_)
            freeMemory(handle_);
        handle_ = handle;
    }

  private:
    MemoryHandle handle_ = nullptr;
};

// Keeps a block locked for one scope.
class MemoryLock {
  public:
    explicit MemoryLock(MemoryHandle block)
        : block_(block), data_(block ? lockMemory(block) : nullptr) {}
    MemoryLock(const MemoryLock&) = delete;
    MemoryLock& operator=(const MemoryLock&) = delete;
    ~MemoryLock() {
        if (data_)
            unlockMemory(block_);
    }

    unsigned char* bytes() const { return static_cast<unsigned char*>(data_); }
    explicit operator bool() const { return data_ != nullptr; }

  private:
    MemoryHandle block_;
    void* data_;
};

} // namespace platemap::platform
