#include "support/archive_builder.h"

namespace platemap::test {

ArchiveBuilder ArchiveBuilder::withHeader(std::int32_t recordCount) {
    ArchiveBuilder builder;
    builder.bytes("ZRVHTF").string("1.0").int32(recordCount);
    return builder;
}

ArchiveBuilder& ArchiveBuilder::bytes(std::string_view raw) {
    data_.insert(data_.end(), raw.begin(), raw.end());
    return *this;
}

ArchiveBuilder& ArchiveBuilder::int32(std::int32_t value) {
    const auto bits = static_cast<std::uint32_t>(value);
    for (int shift = 0; shift < 32; shift += 8)
        data_.push_back(static_cast<std::uint8_t>(bits >> shift));
    return *this;
}

ArchiveBuilder& ArchiveBuilder::string(std::string_view text) {
    int32(static_cast<std::int32_t>(text.size()));
    return bytes(text);
}

ArchiveBuilder& ArchiveBuilder::wideString(std::u16string_view text) {
    int32(static_cast<std::int32_t>(2 * text.size()));
    for (const char16_t unit : text) {
        data_.push_back(static_cast<std::uint8_t>(unit));
        data_.push_back(static_cast<std::uint8_t>(unit >> 8));
    }
    return *this;
}

ArchiveBuilder& ArchiveBuilder::rectHotspot(std::string_view id, std::string_view auxText,
                                            std::u16string_view text, std::int32_t left,
                                            std::int32_t top, std::int32_t right,
                                            std::int32_t bottom) {
    return string("QZ")
        .string(id)
        .string(auxText)
        .wideString(text)
        .int32(left)
        .int32(top)
        .int32(right)
        .int32(bottom);
}

} // namespace platemap::test
