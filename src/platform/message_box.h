#pragma once

#include <string>

namespace platemap::platform {

// A modal error box owned by the window with the keyboard focus (stderr natively).
void showErrorBox(const std::string& title, const std::string& text);
// A modal box without owner or caption of its own, with the stop icon (stderr natively).
void showStopBox(const std::string& text);

// Tests and batch tools route the boxes here instead of showing them: a modal box would wait
// for a user who is not there. Returns the previous observer; null restores the real boxes.
using MessageBoxObserver = void (*)(const std::string& title, const std::string& text);
MessageBoxObserver setMessageBoxObserver(MessageBoxObserver observer);

} // namespace platemap::platform
