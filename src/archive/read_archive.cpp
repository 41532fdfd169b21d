#include "archive/read_archive.h"

#include "archive/class_registry.h"
#include "archive/primitives.h"

#include <cstring>

namespace platemap {

namespace {

constexpr char archiveMagic[] = "ZRVHTF";
constexpr char archiveVersion[] = "1.0";

bool readMagic(InputStream& stream) {
    char buffer[sizeof archiveMagic] = {};
    stream.read(buffer, sizeof archiveMagic - 1);
    return std::strcmp(buffer, archiveMagic) == 0;
}

// A version field that readString refuses leaves the expected text in place and passes.
bool readVersion(InputStream& stream) {
    std::string version = archiveVersion;
    readString(stream, version);
    return version == archiveVersion;
}

} // namespace

InputStream& readHotspotArchive(InputStream& stream, HotspotList& list) {
    list.clear();
    if (!readMagic(stream) || !readVersion(stream))
        return stream;
    const std::int32_t count = readInt32(stream);
    if (count == 0)
        return stream;
    const HotspotClassRegistry registry;
    for (std::int32_t i = 0; i < count; ++i) {
        std::string key;
        readString(stream, key);
        auto record = registry.lookup(key);
        if (!record)
            break;
        record->read(stream);
        list.append(std::move(record));
    }
    return stream;
}

} // namespace platemap
