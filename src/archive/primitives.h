#pragma once

#include "archive/byte_stream.h"

#include <cstdint>
#include <string>

namespace platemap {

// The readers' limits on a text's length field; longer texts are refused unread.
inline constexpr std::int32_t maxNarrowStringBytes = 100;
inline constexpr std::int32_t maxWideStringBytes = 1000;

// Little-endian; a value cut short by the end of data reads as 0.
std::int32_t readInt32(InputStream& stream);
// A refused length or an exhausted stream leaves the string as it was.
void readString(InputStream& stream, std::string& string);
void readWideString(InputStream& stream, std::u16string& string);

void writeInt32(OutputStream& stream, std::int32_t value);
void writeString(OutputStream& stream, const std::string& string);
void writeWideString(OutputStream& stream, const std::u16string& string);

} // namespace platemap
