#pragma once
// Tool tips through the common controls' tooltip window: it watches the
// owner windows' mouse messages itself (TTF_SUBCLASS) and shows a tool's
// text after the pointer rests in its rectangle.
#include <map>
#include <vector>

#include "platform/window/backend/win32/win32_handles.h"
#include "platform/window/backend/win32/windows_api.h"
#include "platform/window/screen_units.h"
#include "platform/window/tool_record.h"

namespace winsys::win32 {

class Tooltips {
 public:
  // Replaces the owner's tools with `tools` (window coordinates in `units`).
  void Replace(HWND owner, const std::vector<ToolRecord>& tools, const ScreenUnits& units);

 private:
  HWND Window();

  WindowHandle window_;
  std::map<HWND, std::vector<std::uintptr_t>> added_;
};

}  // namespace winsys::win32
