#pragma once
// Owners of the Win32 handles the backend keeps: each is released once, by
// the call that belongs to its kind.
#include "platform/window/backend/win32/windows_api.h"

#include <memory>
#include <type_traits>

namespace winsys::win32 {

struct WindowDestroy {
  void operator()(HWND window) const { ::DestroyWindow(window); }
};
using WindowHandle = std::unique_ptr<std::remove_pointer_t<HWND>, WindowDestroy>;

// Bitmaps, regions, brushes: whatever DeleteObject releases.
template <typename Handle>
struct GdiDelete {
  void operator()(Handle object) const { ::DeleteObject(object); }
};
template <typename Handle>
using GdiObject = std::unique_ptr<std::remove_pointer_t<Handle>, GdiDelete<Handle>>;
using BitmapHandle = GdiObject<HBITMAP>;
using RegionHandle = GdiObject<HRGN>;

struct MemoryDcDelete {
  void operator()(HDC dc) const { ::DeleteDC(dc); }
};
using MemoryDc = std::unique_ptr<std::remove_pointer_t<HDC>, MemoryDcDelete>;

struct IconDestroy {
  void operator()(HICON icon) const { ::DestroyIcon(icon); }
};
using IconHandle = std::unique_ptr<std::remove_pointer_t<HICON>, IconDestroy>;

// A handle a window lends for a while (its device context, its input
// context): taken with Get(window), given back with Release(window, handle).
template <typename Handle, auto Get, auto Release>
class WindowLoan {
 public:
  explicit WindowLoan(HWND window) : window_(window), handle_(Get(window)) {}
  WindowLoan(const WindowLoan&) = delete;
  WindowLoan& operator=(const WindowLoan&) = delete;
  ~WindowLoan() {
    if (handle_) Release(window_, handle_);
  }
  Handle get() const { return handle_; }

 private:
  HWND window_;
  Handle handle_;
};

// A window's device context; the screen's for null.
using WindowDc = WindowLoan<HDC, ::GetDC, ::ReleaseDC>;
// A window's input method context.
using ImeContext = WindowLoan<HIMC, ::ImmGetContext, ::ImmReleaseContext>;

// An object selected into a DC for a while; the old one goes back on leaving.
class Selection {
 public:
  Selection(HDC dc, HGDIOBJ object) : dc_(dc), old_(::SelectObject(dc, object)) {}
  Selection(const Selection&) = delete;
  Selection& operator=(const Selection&) = delete;
  ~Selection() { ::SelectObject(dc_, old_); }

 private:
  HDC dc_;
  HGDIOBJ old_;
};

}  // namespace winsys::win32
