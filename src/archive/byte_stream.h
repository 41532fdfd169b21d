#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <span>
#include <string>
#include <vector>

namespace platemap {

// An input byte stream whose end-of-data state is sticky: once a read comes back short, every
// later read delivers nothing.
class InputStream {
  public:
    virtual ~InputStream() = default;

    // Returns the number of bytes delivered.
    std::size_t read(void* buffer, std::size_t bytes);
    bool atEnd() const { return atEnd_; }

  protected:
    virtual std::size_t readSome(void* buffer, std::size_t bytes) = 0;

  private:
    bool atEnd_ = false;
};

class OutputStream {
  public:
    virtual ~OutputStream() = default;
    virtual void write(const void* buffer, std::size_t bytes) = 0;
};

// Reads bytes that someone else owns; they must outlive the stream.
class MemoryInputStream final : public InputStream {
  public:
    explicit MemoryInputStream(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}

  protected:
    std::size_t readSome(void* buffer, std::size_t bytes) override;

  private:
    std::span<const std::uint8_t> bytes_;
    std::size_t position_ = 0;
};

class MemoryOutputStream final : public OutputStream {
  public:
    void write(const void* buffer, std::size_t bytes) override;
    const std::vector<std::uint8_t>& bytes() const { return bytes_; }

  private:
    std::vector<std::uint8_t> bytes_;
};

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using UniqueStdFile = std::unique_ptr<std::FILE, FileCloser>;

// A binary file opened for reading; a file that cannot be opened reads as empty.
class FileInputStream final : public InputStream {
  public:
    explicit FileInputStream(const std::string& path);
    // True when the file could not be opened or a read failed (a folder, say), not at its end.
    bool failed() const;

  protected:
    std::size_t readSome(void* buffer, std::size_t bytes) override;

  private:
    UniqueStdFile file_;
};

} // namespace platemap
