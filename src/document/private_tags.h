#pragma once

#include "platform/files.h"

#include <cstdint>
#include <memory>
#include <tiffio.h>

namespace platemap {

// The two private tags of a hotspotted TIFF, type UNDEFINED, set and got as a pair
// (uint32 byte count, pointer to the bytes).
inline constexpr ttag_t zrvClipPathTag = 33576;
inline constexpr ttag_t zrvHotspotTag = 33577;

// Makes every TIFF handle that libtiff opens from now on know the two tags (a tag extender that
// chains the one installed before). Done once per process; later calls do nothing.
// openTiffWithTags calls it; a program that writes such tags with plain TIFFOpen calls it first.
void registerPrivateTags();

// Closes a handle opened by openTiffWithTags; the handle's private state goes with it.
void closeTiffWithTags(TIFF* tif);

struct TiffCloser {
    void operator()(TIFF* tif) const { closeTiffWithTags(tif); }
};
using UniqueTiff = std::unique_ptr<TIFF, TiffCloser>;

// Registers the tags if needed and opens the file through TIFFFdOpen(file, name, mode). The file
// is the TIFF's from then on (TIFFClose closes it); when the open fails it is closed here, since
// libtiff 4.5 leaves a descriptor it could not open alone.
UniqueTiff openTiffWithTags(platform::UniqueFile file, const char* name, const char* mode);

} // namespace platemap
