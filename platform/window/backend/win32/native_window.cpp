#include "platform/window/backend/win32/native_window.h"

#include <algorithm>

#include "platform/window/backend/win32/device_image.h"
#include "platform/window/backend/win32/wide_text.h"

namespace winsys::win32 {

namespace {

constexpr std::uint32_t kPassedStyles = WS_THICKFRAME | WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX;
constexpr std::uint32_t kPassedExStyles = WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_LAYERED | WS_EX_NOACTIVATE;

RegionHandle MakeRegion(const gfx::Region& device) {
  const std::vector<gfx::RectI> rects = device.Rectangles();
  std::vector<char> data(sizeof(RGNDATAHEADER) + sizeof(RECT) * rects.size());
  auto* header = reinterpret_cast<RGNDATAHEADER*>(data.data());
  header->dwSize = sizeof(RGNDATAHEADER);
  header->iType = RDH_RECTANGLES;
  header->nCount = static_cast<DWORD>(rects.size());
  header->nRgnSize = static_cast<DWORD>(sizeof(RECT) * rects.size());
  auto* out = reinterpret_cast<RECT*>(data.data() + sizeof(RGNDATAHEADER));
  for (const gfx::RectI& r : rects) *out++ = RECT{r.x, r.y, r.Right(), r.Bottom()};
  return RegionHandle(
      ::ExtCreateRegion(nullptr, static_cast<DWORD>(data.size()), reinterpret_cast<const RGNDATA*>(data.data())));
}

// Icons take straight alpha, the back buffer keeps it premultiplied.
IconHandle MakeIcon(const gfx::Bitmap& picture) {
  DeviceImage colour(picture.Width(), picture.Height());
  BitmapHandle mask(::CreateBitmap(picture.Width(), picture.Height(), 1, 1, nullptr));
  if (colour.IsNull() || !mask) return nullptr;
  ::GdiFlush();
  for (int y = 0; y < picture.Height(); ++y)
    for (int x = 0; x < picture.Width(); ++x) colour.Bits()[y * picture.Width() + x] = picture.GetPixel(x, y);
  ICONINFO info{TRUE, 0, 0, mask.get(), colour.Handle()};
  return IconHandle(::CreateIconIndirect(&info));
}

}  // namespace

DWORD NativeStyle(std::uint32_t style) { return WS_POPUP | WS_CLIPCHILDREN | (style & kPassedStyles); }

DWORD NativeExStyle(std::uint32_t ex_style) { return ex_style & kPassedExStyles; }

NativeWindow::NativeWindow(ATOM window_class, const WindowRecord& record, HWND owner, ScreenUnits units, void* system)
    : units_(units) {
  const gfx::RectI rect = units_.ToNative(record.rect);
  window_.reset(::CreateWindowExW(NativeExStyle(record.ex_style), MAKEINTATOM(window_class),
                                  Widen(record.title).c_str(), NativeStyle(record.style), rect.x, rect.y,
                                  std::max(rect.width, 1), std::max(rect.height, 1), owner, nullptr,
                                  ::GetModuleHandleW(nullptr), system));
}

void NativeWindow::Place(const gfx::RectI& logical) {
  const gfx::RectI rect = units_.ToNative(logical);
  ::SetWindowPos(Handle(), nullptr, rect.x, rect.y, std::max(rect.width, 1), std::max(rect.height, 1),
                 SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOOWNERZORDER);
}

// Activation is the window system's own step (SetForeground): showing never activates.
void NativeWindow::Show(bool visible, bool iconic) {
  const bool layered = ::GetWindowLongPtrW(Handle(), GWL_EXSTYLE) & WS_EX_LAYERED;
  show_pending_ = visible && !iconic && layered && !has_layered_pixels_;
  if (show_pending_) return;
  if (!visible) {
    ::ShowWindow(Handle(), SW_HIDE);
  } else if (iconic) {
    ::ShowWindow(Handle(), SW_SHOWMINNOACTIVE);
  } else {
    ::ShowWindow(Handle(), ::IsIconic(Handle()) ? SW_SHOWNOACTIVATE : SW_SHOWNA);
    ::SetWindowPos(Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  }
}

void NativeWindow::SetTitle(const std::string& utf8) { ::SetWindowTextW(Handle(), Widen(utf8).c_str()); }

void NativeWindow::Stack(bool topmost) {
  ::SetWindowPos(Handle(), topmost ? HWND_TOPMOST : HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  if (!topmost && (::GetWindowLongPtrW(Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST))
    ::SetWindowPos(Handle(), HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void NativeWindow::SetStyleBit(int index, LONG_PTR bit, bool on) {
  const LONG_PTR old = ::GetWindowLongPtrW(Handle(), index);
  const LONG_PTR now = on ? old | bit : old & ~bit;
  if (now == old) return;
  ::SetWindowLongPtrW(Handle(), index, now);
  ::SetWindowPos(Handle(), nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

// Windows owns the region once it is set.
void NativeWindow::SetRegion(const std::optional<gfx::Region>& logical) {
  RegionHandle region = logical ? MakeRegion(units_.ToNative(*logical)) : nullptr;
  if (::SetWindowRgn(Handle(), region.get(), TRUE)) region.release();
}

void NativeWindow::SetIcons(const std::vector<gfx::Bitmap>& icons) {
  auto by_size = [](const gfx::Bitmap& a, const gfx::Bitmap& b) { return a.Width() < b.Width(); };
  big_icon_ = icons.empty() ? nullptr : MakeIcon(*std::max_element(icons.begin(), icons.end(), by_size));
  small_icon_ = icons.empty() ? nullptr : MakeIcon(*std::min_element(icons.begin(), icons.end(), by_size));
  ::SendMessageW(Handle(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big_icon_.get()));
  ::SendMessageW(Handle(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small_icon_.get()));
}

// The colour bytes as they stand: an ordinary window shows premultiplied
// pixels over black.
void NativeWindow::Present(const gfx::Bitmap& buffer, const gfx::RectI& logical) {
  if (buffer.IsNull() || logical.IsEmpty()) return;
  const gfx::RectI target = units_.ToNative(logical);
  DeviceImage image(target.width, target.height);
  if (image.IsNull()) return;
  image.Fill(buffer, buffer.DeviceArea(logical));
  const WindowDc window_dc(Handle());
  const MemoryDc memory(::CreateCompatibleDC(window_dc.get()));
  const Selection selected(memory.get(), image.Handle());
  ::BitBlt(window_dc.get(), target.x, target.y, target.width, target.height, memory.get(), 0, 0, SRCCOPY);
}

void NativeWindow::PresentLayered(const gfx::Bitmap& buffer, std::uint8_t alpha) {
  RECT bounds{};
  ::GetWindowRect(Handle(), &bounds);
  const gfx::RectI device{0, 0, bounds.right - bounds.left, bounds.bottom - bounds.top};
  DeviceImage image(device.width, device.height);
  if (image.IsNull() || buffer.IsNull()) return;
  image.Fill(buffer, buffer.DeviceArea(units_.ToLogical(device)));
  const WindowDc screen(nullptr);
  const MemoryDc memory(::CreateCompatibleDC(screen.get()));
  const Selection selected(memory.get(), image.Handle());
  SIZE size{image.Width(), image.Height()};
  POINT origin{0, 0};
  BLENDFUNCTION blend{AC_SRC_OVER, 0, alpha, AC_SRC_ALPHA};
  ::UpdateLayeredWindow(Handle(), screen.get(), nullptr, &size, memory.get(), &origin, 0, &blend, ULW_ALPHA);
  has_layered_pixels_ = true;
  if (show_pending_) Show(true, false);
}

}  // namespace winsys::win32
