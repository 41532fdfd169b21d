#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace platemap::test {

// A uniquely named path in the temporary folder, deleted when the object goes.
class TempFile {
  public:
    explicit TempFile(const std::string& suffix = ".tmp");
    TempFile(const TempFile&) = delete;
    TempFile& operator=(const TempFile&) = delete;
    ~TempFile();

    const std::string& path() const { return path_; }
    void write(std::span<const std::uint8_t> bytes) const;
    std::vector<std::uint8_t> read() const;

  private:
    std::string path_;
};

std::vector<std::uint8_t> readWholeFile(const std::string& path);
void writeWholeFile(const std::string& path, std::span<const std::uint8_t> bytes);

} // namespace platemap::test
