#include "document/private_tags.h"

#include <cstdio>

namespace platemap {

// libtiff 4.5 stores the values itself as custom fields: TIFF_VARIABLE2 with the count passed
// gives 32-bit counts, UNDEFINED is never swapped, and a tag the directory lacks reads as absent.
// It keeps one value per tag where the original kept one shared by both; for a directory in
// ascending tag order (33577 after 33576) both give 33577 the hotspot bytes. Out of order, 33577
// gives its own bytes here rather than the clip path's.
// The only state per handle is the print method that the hook wraps. libtiff's client-info slot
// holds it and goes with the handle, so a handle closed with plain TIFFClose leaks nothing.

namespace {

const TIFFFieldInfo privateFieldInfo[] = {
    {zrvHotspotTag, TIFF_VARIABLE2, TIFF_VARIABLE2, TIFF_UNDEFINED, FIELD_CUSTOM, 1, 1,
     const_cast<char*>("ZRVHotspot")},
    {zrvClipPathTag, TIFF_VARIABLE2, TIFF_VARIABLE2, TIFF_UNDEFINED, FIELD_CUSTOM, 1, 1,
     const_cast<char*>("ZRVClipPath")},
};

constexpr char parentPrintName[] = "platemap.privateTags.printdir";

TIFFExtendProc previousExtender = nullptr;

TIFFPrintMethod parentPrintDirectory(TIFF* tif) {
    return reinterpret_cast<TIFFPrintMethod>(TIFFGetClientInfo(tif, parentPrintName));
}

// The parent's lines first, then one line for a directory that holds the clip path. The length
// printed is that of the value read last in the original's shared storage: the hotspot tag's when
// there is one (it follows the clip path in an ascending directory), else the clip path's.
void privatePrintDirectory(TIFF* tif, FILE* file, long flags) {
    if (const TIFFPrintMethod parent = parentPrintDirectory(tif))
        parent(tif, file, flags);
    std::uint32_t count = 0;
    void* bytes = nullptr;
    if (!TIFFGetField(tif, zrvClipPathTag, &count, &bytes))
        return;
    std::uint32_t hotspotCount = 0;
    if (TIFFGetField(tif, zrvHotspotTag, &hotspotCount, &bytes))
        count = hotspotCount;
    std::fprintf(file, "  ZRV ClipPath encluded Length: %ld ! \n", static_cast<long>(count));
}

// libtiff calls this for every fresh directory of every handle, before it reads the entries.
void privateTagExtender(TIFF* tif) {
    TIFFMergeFieldInfo(tif, privateFieldInfo, sizeof privateFieldInfo / sizeof privateFieldInfo[0]);
    TIFFTagMethods* methods = TIFFAccessTagMethods(tif);
    if (methods->printdir != privatePrintDirectory) {
        TIFFSetClientInfo(tif, reinterpret_cast<void*>(methods->printdir), parentPrintName);
        methods->printdir = privatePrintDirectory;
    }
    if (previousExtender)
        previousExtender(tif);
}

} // namespace

void registerPrivateTags() {
    // Registration is for good: the extender is never removed.
    static const bool registered = [] {
        previousExtender = TIFFSetTagExtender(privateTagExtender);
        return true;
    }();
    (void)registered;
}

void closeTiffWithTags(TIFF* tif) {
    if (tif)
        TIFFClose(tif);
}

UniqueTiff openTiffWithTags(platform::UniqueFile file, const char* name, const char* mode) {
    registerPrivateTags();
    // libtiff takes the descriptor as an int: a file descriptor natively, a HANDLE on Win32 (its
    // Windows layer turns the int back into the HANDLE).
    UniqueTiff tif(TIFFFdOpen(static_cast<int>(file.get()), name, mode));
    if (tif)
        file.release();
    return tif;
}

} // namespace platemap
