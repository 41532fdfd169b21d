#pragma once

#include <cstdarg>

namespace platemap {

// libtiff's process-wide error and warning handlers. Errors become an error box
// (platform::showErrorBox: a message box on Win32, stderr natively) titled "<module> Error", or
// "TIFFLIB" when libtiff names no module; warnings are never shown. Installed once; later calls
// do nothing.
void installTiffHandlers();

void tiffErrorHandler(const char* module, const char* format, va_list arguments);
void tiffWarningHandler(const char* module, const char* format, va_list arguments);

} // namespace platemap
