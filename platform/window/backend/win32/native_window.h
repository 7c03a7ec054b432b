#pragma once
// One of our windows as Windows keeps it: a popup HWND of our window class
// whose client area is the whole window, in device pixels at its monitor's
// DPI. It shows a back buffer by BitBlt, or by UpdateLayeredWindow when it is
// layered, and is cut to a region by SetWindowRgn.
#include "platform/window/backend/win32/windows_api.h"

#include <optional>
#include <string>
#include <vector>

#include "platform/gfx/bitmap.h"
#include "platform/gfx/region.h"
#include "platform/window/backend/win32/win32_handles.h"
#include "platform/window/screen_units.h"
#include "platform/window/window_record.h"

namespace winsys::win32 {

class NativeWindow {
 public:
  // `system` comes back as the window's GWLP_USERDATA (from WM_NCCREATE on).
  NativeWindow(ATOM window_class, const WindowRecord& record, HWND owner, ScreenUnits units, void* system);

  HWND Handle() const { return window_.get(); }
  const ScreenUnits& Units() const { return units_; }
  void SetUnits(const ScreenUnits& units) { units_ = units; }

  void Place(const gfx::RectI& logical);
  void Show(bool visible, bool iconic);
  void SetTitle(const std::string& utf8);
  void Stack(bool topmost);
  void SetStyleBit(int index, LONG_PTR bit, bool on);
  void SetRegion(const std::optional<gfx::Region>& logical);
  void SetIcons(const std::vector<gfx::Bitmap>& icons);

  void Present(const gfx::Bitmap& buffer, const gfx::RectI& logical);
  void PresentLayered(const gfx::Bitmap& buffer, std::uint8_t alpha);

 private:
  WindowHandle window_;
  ScreenUnits units_;
  IconHandle big_icon_;
  IconHandle small_icon_;
  // A layered window shows once it has pixels: under Wine one shown before
  // that ends up below the windows it was shown over.
  bool has_layered_pixels_ = false;
  bool show_pending_ = false;
};

// The window styles Windows gets for a record's: always a popup (we draw the
// whole window); the bits that mean something to the taskbar and the system
// loops pass through.
DWORD NativeStyle(std::uint32_t style);
DWORD NativeExStyle(std::uint32_t ex_style);

}  // namespace winsys::win32
