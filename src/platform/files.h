#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <utility>

namespace platemap::platform {

// The folder for temporary files, ending in a separator.
std::string tempDirectory();
bool fileExists(const std::string& path);
bool deleteFile(const std::string& path);

// A signed 32-bit rendering of an object's address: the unique part of temporary file names.
std::int32_t addressNumber(const void* object);

// Raw file I/O on the operating system's own handles.
using FileHandle = std::intptr_t;
inline constexpr FileHandle invalidFile = -1;

// Opens an existing file for reading; other readers may share it, writers may not.
FileHandle openForReading(const std::string& path);
// Creates or truncates a file for reading and writing.
FileHandle createForWriting(const std::string& path);
std::size_t readFile(FileHandle file, void* buffer, std::size_t bytes);
std::size_t writeFile(FileHandle file, const void* buffer, std::size_t bytes);
bool seekFile(FileHandle file, std::uint32_t offset);
void closeFile(FileHandle file);

class UniqueFile {
  public:
    explicit UniqueFile(FileHandle file = invalidFile) : file_(file) {}
    UniqueFile(UniqueFile&& other) noexcept : file_(std::exchange(other.file_, invalidFile)) {}
    UniqueFile& operator=(UniqueFile&&) = delete;
    UniqueFile(const UniqueFile&) = delete;
    UniqueFile& operator=(const UniqueFile&) = delete;
    ~UniqueFile() {
        if (file_ != invalidFile)
            closeFile(file_);
    }

    FileHandle get() const { return file_; }
    explicit operator bool() const { return file_ != invalidFile; }
    FileHandle release() { return std::exchange(file_, invalidFile); }

  private:
    FileHandle file_;
};

} // namespace platemap::platform
