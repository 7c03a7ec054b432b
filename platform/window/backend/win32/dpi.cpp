#include "platform/window/backend/win32/dpi.h"

#include "platform/window/backend/win32/win32_handles.h"
#include "platform/window/screen_scale.h"

namespace winsys::win32 {

namespace {

// DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2, whose header needs Windows 10.
const auto kPerMonitorAwareV2 = reinterpret_cast<HANDLE>(static_cast<LONG_PTR>(-4));

template <typename Function>
Function User32(const char* name) {
  return reinterpret_cast<Function>(reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleW(L"user32"), name)));
}

unsigned ScreenDpi() {
  const WindowDc screen(nullptr);
  const int dpi = ::GetDeviceCaps(screen.get(), LOGPIXELSX);
  return dpi > 0 ? static_cast<unsigned>(dpi) : USER_DEFAULT_SCREEN_DPI;
}

}  // namespace

void BecomeDpiAware() {
  using SetContext = BOOL(WINAPI*)(HANDLE);
  if (auto set_context = User32<SetContext>("SetProcessDpiAwarenessContext");
      set_context && set_context(kPerMonitorAwareV2))
    return;
  ::SetProcessDPIAware();
}

unsigned DpiOf(HWND window) {
  using ForWindow = UINT(WINAPI*)(HWND);
  using ForSystem = UINT(WINAPI*)();
  static const auto for_window = User32<ForWindow>("GetDpiForWindow");
  static const auto for_system = User32<ForSystem>("GetDpiForSystem");
  const unsigned dpi = window && for_window ? for_window(window) : for_system ? for_system() : 0;
  return dpi ? dpi : ScreenDpi();
}

ScreenUnits UnitsForDpi(unsigned dpi) { return {ScaleOverride().value_or(ScreenScale(1, dpi)), 1}; }

}  // namespace winsys::win32
