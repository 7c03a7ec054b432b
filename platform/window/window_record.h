#pragma once
// What the window system keeps about one window, whatever the backend.
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/gfx/bitmap.h"
#include "platform/gfx/geometry.h"
#include "platform/gfx/region.h"
#include "platform/window/window_system.h"

namespace winsys {

struct WindowRecord {
  WindowId id = 0;
  WindowId owner = 0;
  std::string title;
  gfx::RectI rect;          // screen coordinates; the client area is the whole window
  gfx::RectI restore_rect;  // where Restore puts a maximised window back
  std::uint32_t style = 0;
  std::uint32_t ex_style = 0;
  // Shared so that a procedure that replaces itself while it runs stays alive.
  std::shared_ptr<const WindowProc> proc;  // null: DefWindowProc
  bool visible = false;
  bool zoomed = false;
  bool iconic = false;
  bool destroying = false;
  std::map<std::string, std::intptr_t, std::less<>> props;
  std::optional<gfx::Region> region;   // window coordinates
  gfx::Region update;                  // what WM_PAINT still has to paint
  std::optional<gfx::RectI> painting;  // the rectangle handed out by BeginPaint
  bool ime_enabled = true;
  gfx::RectI ime_caret;
  std::deque<std::string> ime_pending;  // results of queued WM_IME_COMPOSITION messages
  std::string ime_result;               // the result of the last one taken from the queue
  std::vector<gfx::Bitmap> icons;       // as SetWindowIcon gave them

  bool Topmost() const { return (ex_style & WS_EX_TOPMOST) != 0; }
  bool Layered() const { return (ex_style & WS_EX_LAYERED) != 0; }
  bool Shown() const { return visible && !iconic; }
  gfx::RectI ClientRect() const { return {0, 0, rect.width, rect.height}; }
  // Shown, and the screen point falls inside its rectangle and its region.
  bool ShowsAt(int x, int y) const {
    if (!Shown() || x < rect.x || y < rect.y || x >= rect.Right() || y >= rect.Bottom()) return false;
    return !region || region->Contains(x - rect.x, y - rect.y);
  }
};

}  // namespace winsys
