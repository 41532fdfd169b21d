#include "support/temp_file.h"

#include "platform/files.h"

#include <atomic>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>

namespace platemap::test {

namespace {
std::atomic<int> counter{0};
} // namespace

TempFile::TempFile(const std::string& suffix) {
    const auto* info = testing::UnitTest::GetInstance()->current_test_info();
    const std::string test = info ? std::string(info->test_suite_name()) + "." + info->name() : "x";
    std::string safe;
    for (const char c : test)
        safe += std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
    path_ = platform::tempDirectory() + "platemap-test-" + safe + "-" +
            std::to_string(platform::addressNumber(this) & 0xFFFF) + "-" +
            std::to_string(counter++) + suffix;
}

TempFile::~TempFile() {
    platform::deleteFile(path_);
}

void TempFile::write(std::span<const std::uint8_t> bytes) const {
    writeWholeFile(path_, bytes);
}

std::vector<std::uint8_t> TempFile::read() const {
    return readWholeFile(path_);
}

std::vector<std::uint8_t> readWholeFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void writeWholeFile(const std::string& path, std::span<const std::uint8_t> bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
}

} // namespace platemap::test
