#pragma once

namespace platemap::platform {

// The wait (hourglass) and the arrow cursor around long file operations; nothing natively.
void showWaitCursor();
void showArrowCursor();

} // namespace platemap::platform
