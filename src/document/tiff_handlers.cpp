#include "document/tiff_handlers.h"

#include "platform/message_box.h"

#include <cstdio>
#include <string>
#include <tiffio.h>
#include <vector>

namespace platemap {

namespace {

std::string format(const char* text, va_list arguments) {
    va_list measure;
    va_copy(measure, arguments);
    const int length = std::vsnprintf(nullptr, 0, text, measure);
    va_end(measure);
    if (length <= 0)
        return {};
    std::vector<char> buffer(static_cast<std::size_t>(length) + 1);
    std::vsnprintf(buffer.data(), buffer.size(), text, arguments);
    return std::string(buffer.data(), static_cast<std::size_t>(length));
}

} // namespace

void tiffErrorHandler(const char* module, const char* text, va_list arguments) {
    const std::string title = module ? std::string(module) + " Error" : std::string("TIFFLIB");
    platform::showErrorBox(title, format(text, arguments));
}

void tiffWarningHandler(const char*, const char*, va_list) {}

void installTiffHandlers() {
    static const bool installed = [] {
        TIFFSetErrorHandler(tiffErrorHandler);
        TIFFSetWarningHandler(tiffWarningHandler);
        return true;
    }();
    (void)installed;
}

} // namespace platemap
