#pragma once

#include <cstdint>

namespace platemap {

// The error codes of the bitmap file and print functions, each with a fixed text.
enum DibError : int {
    dibErrorNotDib = 0,
    dibErrorMemory = 1,
    dibErrorReadFile = 2,
    dibErrorLockMemory = 3,
    dibErrorOpenFile = 4,
    dibErrorCreatePalette = 5,
    dibErrorGetDc = 6,
    dibErrorCreateDdb = 7,
    dibErrorStretchBlt = 8,
    dibErrorStretchDibits = 9,
    dibErrorSetDibitsToDevice = 10,
    dibErrorStartDoc = 11,
    dibErrorNoGdiModule = 12,
    dibErrorSetAbortProc = 13,
    dibErrorStartPage = 14,
    dibErrorNewFrame = 15,
    dibErrorEndPage = 16,
    dibErrorEndDoc = 17,
    dibErrorSetDibits = 18,
    dibErrorFileNotFound = 19,
    dibErrorInvalidHandle = 20,
    dibErrorGeneral = 21,
};

// The text of a code; "Undefined Error!" for any code outside 0 to 21, negative ones included.
const char* dibErrorText(int code);

// A modal box without owner or caption of its own, with the stop icon: the code's text.
void showDibError(int code);

} // namespace platemap
