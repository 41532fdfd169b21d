#include "raster/dib_errors.h"

#include "platform/message_box.h"

#include <iterator>

namespace platemap {

namespace {

constexpr const char* texts[] = {
    "Not a Windows DIB file!",
    "Couldn't allocate memory!",
    "Error reading file!",
    "Error locking memory!",
    "Error opening file!",
    "Error creating palette!",
    "Error getting a DC!",
    "Error creating Device Dependent Bitmap",
    "StretchBlt() failed!",
    "StretchDIBits() failed!",
    "SetDIBitsToDevice() failed!",
    "Printer: StartDoc failed!",
    "Printing: GetModuleHandle() couldn't find GDI!",
    "Printer: SetAbortProc failed!",
    "Printer: StartPage failed!",
    "Printer: NEWFRAME failed!",
    "Printer: EndPage failed!",
    "Printer: EndDoc failed!",
    "SetDIBits() failed!",
    "File Not Found!",
    "Invalid Handle",
    "General Error on call to DIB function",
};
static_assert(std::size(texts) == 22);

} // namespace

const char* dibErrorText(int code) {
    if (code < 0 || code >= static_cast<int>(std::size(texts)))
        return "Undefined Error!";
    return texts[code];
}

void showDibError(int code) {
    platform::showStopBox(dibErrorText(code));
}

} // namespace platemap
