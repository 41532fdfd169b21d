#include "platform/cursor.h"

namespace platemap::platform {

void showWaitCursor() {}
void showArrowCursor() {}

} // namespace platemap::platform
