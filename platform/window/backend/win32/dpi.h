#pragma once
// Per-monitor DPI awareness (v2) and each window's DPI. The calls came with
// Windows 10 and are looked up at run time, so that older systems (and Wines)
// fall back to the screen's one resolution.
#include "platform/window/backend/win32/windows_api.h"

#include "platform/window/screen_units.h"

namespace winsys::win32 {

// Asks to be told each monitor's DPI (WM_DPICHANGED) instead of being scaled
// by the system. Call once, before the first window.
void BecomeDpiAware();
// Dots per inch of the monitor the window is on; the system's for null.
unsigned DpiOf(HWND window);
// Logical pixels at that resolution: dpi / 96 in quarters, or BRIVO_SCALE.
ScreenUnits UnitsForDpi(unsigned dpi);

}  // namespace winsys::win32
