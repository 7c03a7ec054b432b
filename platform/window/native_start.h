#pragma once
// Starts the window system of the real display: GTK (X11) on Linux, Win32 on
// Windows, whichever one this build holds. Null when no display can be opened.
#include <memory>

#include "platform/window/window_system.h"

namespace winsys {

std::unique_ptr<WindowSystem> StartNativeSystem();

}  // namespace winsys
