#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace platemap::test {

// Builds hotspot archive bytes field by field, so that tests can also make malformed ones.
class ArchiveBuilder {
  public:
    // The magic, the version "1.0" and the record count.
    static ArchiveBuilder withHeader(std::int32_t recordCount);

    ArchiveBuilder& bytes(std::string_view raw);
    ArchiveBuilder& int32(std::int32_t value);
    // A length field followed by the text's bytes.
    ArchiveBuilder& string(std::string_view text);
    ArchiveBuilder& wideString(std::u16string_view text);
    // A "QZ" key and a complete body.
    ArchiveBuilder& rectHotspot(std::string_view id, std::string_view auxText,
                                std::u16string_view text, std::int32_t left, std::int32_t top,
                                std::int32_t right, std::int32_t bottom);

    const std::vector<std::uint8_t>& data() const { return data_; }

  private:
    std::vector<std::uint8_t> data_;
};

} // namespace platemap::test
