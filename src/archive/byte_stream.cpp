#include "archive/byte_stream.h"

#include <algorithm>
#include <cstring>

namespace platemap {

std::size_t InputStream::read(void* buffer, std::size_t bytes) {
    if (atEnd_)
        return 0;
    const std::size_t got = bytes == 0 ? 0 : readSome(buffer, bytes);
    if (got < bytes)
        atEnd_ = true;
    return got;
}

std::size_t MemoryInputStream::readSome(void* buffer, std::size_t bytes) {
    const std::size_t count = std::min(bytes, bytes_.size() - position_);
    if (count == 0)
        return 0;
    std::memcpy(buffer, bytes_.data() + position_, count);
    position_ += count;
    return count;
}

void MemoryOutputStream::write(const void* buffer, std::size_t bytes) {
    const auto* first = static_cast<const std::uint8_t*>(buffer);
    bytes_.insert(bytes_.end(), first, first + bytes);
}

FileInputStream::FileInputStream(const std::string& path) : file_(std::fopen(path.c_str(), "rb")) {}

bool FileInputStream::failed() const {
    return !file_ || std::ferror(file_.get());
}

std::size_t FileInputStream::readSome(void* buffer, std::size_t bytes) {
    return file_ ? std::fread(buffer, 1, bytes, file_.get()) : 0;
}

} // namespace platemap
