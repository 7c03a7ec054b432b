#pragma once
// Starts the GTK backend (X11 only): null when no display can be opened.
#include <memory>

#include "platform/window/window_system.h"

namespace winsys {

std::unique_ptr<WindowSystem> StartGtkSystem();

}  // namespace winsys
