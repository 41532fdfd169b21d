#include "archive/primitives.h"

#include <vector>

namespace platemap {

std::int32_t readInt32(InputStream& stream) {
    std::uint8_t bytes[4] = {};
    if (stream.read(bytes, sizeof bytes) != sizeof bytes)
        return 0;
    const std::uint32_t value =
        bytes[0] | bytes[1] << 8 | bytes[2] << 16 | static_cast<std::uint32_t>(bytes[3]) << 24;
    return static_cast<std::int32_t>(value);
}

void readString(InputStream& stream, std::string& string) {
    const std::int32_t length = readInt32(stream);
    if (length < 0 || length > maxNarrowStringBytes || stream.atEnd())
        return;
    std::vector<char> buffer(static_cast<std::size_t>(length) + 1, '\0');
    stream.read(buffer.data(), static_cast<std::size_t>(length));
    string = buffer.data();
}

void readWideString(InputStream& stream, std::u16string& string) {
    const std::int32_t length = readInt32(stream);
    if (length < 0 || length > maxWideStringBytes || stream.atEnd())
        return;
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(length), 0);
    stream.read(bytes.data(), bytes.size());
    std::u16string units;
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
        const auto unit = static_cast<char16_t>(bytes[i] | bytes[i + 1] << 8);
        if (unit == 0)
            break;
        units += unit;
    }
    string = std::move(units);
}

void writeInt32(OutputStream& stream, std::int32_t value) {
    const auto bits = static_cast<std::uint32_t>(value);
    const std::uint8_t bytes[4] = {
        static_cast<std::uint8_t>(bits), static_cast<std::uint8_t>(bits >> 8),
        static_cast<std::uint8_t>(bits >> 16), static_cast<std::uint8_t>(bits >> 24)};
    stream.write(bytes, sizeof bytes);
}

void writeString(OutputStream& stream, const std::string& string) {
    writeInt32(stream, static_cast<std::int32_t>(string.size()));
    if (!string.empty())
        stream.write(string.data(), string.size());
}

void writeWideString(OutputStream& stream, const std::u16string& string) {
    const std::u16string_view units(string.c_str());
    writeInt32(stream, static_cast<std::int32_t>(2 * units.size()));
    for (const char16_t unit : units) {
        const std::uint8_t bytes[2] = {static_cast<std::uint8_t>(unit),
                                       static_cast<std::uint8_t>(unit >> 8)};
        stream.write(bytes, sizeof bytes);
    }
}

} // namespace platemap
