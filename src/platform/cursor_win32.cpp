#include "platform/cursor.h"

#include <windows.h>

namespace platemap::platform {

// System cursors are shared: they are never destroyed.
void showWaitCursor() {
    SetCursor(LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_WAIT)));
}

void showArrowCursor() {
    SetCursor(LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW)));
}

} // namespace platemap::platform
