#pragma once

#include "power/idle_time.h"

#include <memory>

namespace qz {

// X11 input idle time through the MIT-SCREEN-SAVER extension, on its own display
// connection (DISPLAY). Null when the display cannot be opened or lacks the extension.
std::unique_ptr<IdleTime> createX11IdleTime();

} // namespace qz
