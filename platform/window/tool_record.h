#pragma once
// A tool tip area: the tip `text` shows after the pointer rests in `rect`
// (window coordinates) of `owner`.
#include <cstdint>
#include <string>

#include "platform/gfx/geometry.h"
#include "platform/window/window_system.h"

namespace winsys {

struct ToolRecord {
  WindowId owner = 0;
  std::uintptr_t id = 0;
  gfx::RectI rect;
  std::string text;  // UTF-8
};

}  // namespace winsys
