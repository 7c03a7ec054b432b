#pragma once
// brivo's program icon as pictures for a window: what docks and task switchers
// show for its windows (WindowSystem::SetWindowIcon).
#include <vector>

#include "platform/gfx/bitmap.h"

namespace app {

// The built-in icon at 16, 32, 48 and 256 pixels, smallest first.
std::vector<gfx::Bitmap> ProgramIconImages();

}  // namespace app
