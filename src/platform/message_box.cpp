#include "platform/message_box.h"

#include "platform/message_box_native.h"

#include <utility>

namespace platemap::platform {

namespace {
MessageBoxObserver observer = nullptr;
} // namespace

MessageBoxObserver setMessageBoxObserver(MessageBoxObserver next) {
    return std::exchange(observer, next);
}

void showErrorBox(const std::string& title, const std::string& text) {
    if (observer)
        observer(title, text);
    else
        showNativeErrorBox(title, text);
}

void showStopBox(const std::string& text) {
    if (observer)
        observer({}, text);
    else
        showNativeStopBox(text);
}

} // namespace platemap::platform
